// The fingerprint stamp: a 2^17-bit bitmap file (16,384 bytes) recording values seen before.
#pragma once

#include "mox/mpm.h"

inline constexpr long FPRNT_FILE_SIZE = 16384;

// Hashes register r to five 17-bit numbers and sets their bits in the file. Returns the number
// of bits newly set (0: the value was stamped before), -1 when the value could not be hashed,
// -2 on a file error (missing, short or unwritable file).
int fprnt_stamp(const char* file, mpm_mach* m, int r);
