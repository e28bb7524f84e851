#pragma once
// The message-box types live in fw/core; this path stays for the windows that include it.
#include "fw/core/msgbox.h"
