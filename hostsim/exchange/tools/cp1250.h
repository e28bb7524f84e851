#pragma once
// UTF-8 source text to Windows-1250 for the generator's Hungarian names; a
// letter outside ASCII and the Hungarian alphabet stops the generator.
#include <string>

namespace datagen {

std::string Cp1250(const std::string& utf8);

} // namespace datagen
