// The texts of the application core, logon, access checks, main frame and
// message box (English and Hungarian under one id).
#pragma once

#include "fw/core/resources.h"
#include "kvcore/kvcore_api.h"

KVCORE_API const fw::ResourceSet& KvAppResources();
