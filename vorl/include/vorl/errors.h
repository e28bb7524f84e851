#pragma once
#include "vorl/export.h"

// Text of a result code from the message file ("VORLMSGFILE", else "vorl.msg";
// language "VORLLANGUAGE"). The text belongs to the library.
VORL_API const char* VORLGetError(int code);
