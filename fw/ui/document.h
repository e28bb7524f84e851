#pragma once
// Documents, hints and the view interface live in fw/core; this path stays for the windows that
// include it.
#include "fw/core/document.h"
