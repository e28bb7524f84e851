// The grid windows' popups (menus 52 and 53) and texts, registered when the library loads.
#pragma once

#include "fw/core/resources.h"
#include "kvcore/kvcore_api.h"

KVCORE_API const fw::ResourceSet& KvGridResources();
