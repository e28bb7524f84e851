#pragma once
// The exported names of a module that the dynamic loader has loaded.
#include <string>
#include <vector>

namespace plinth {

// Defined, globally visible functions and data of the module's dynamic symbol table,
// sorted and without duplicates; empty when there are none or the table cannot be read.
// `module` is a handle from dlopen.
std::vector<std::string> exportedNames(void* module);

} // namespace plinth
