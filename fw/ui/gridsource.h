#pragma once
// The grid source types live in fw/core; this path stays for the grid widgets that include it.
#include "fw/core/gridsource.h"
