#pragma once
// The library's own use of the configuration string.
namespace vorl {

// Whether SplitVORLConfigString gave `file` and `section` whole: false when
// either was cut to its buffer's size.
bool SplitWhole(const char* config, const char* file, const char* section);

} // namespace vorl
