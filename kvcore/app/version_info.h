// File versions of the system's programs and libraries. Every deliverable
// carries one version record, set from the project's version when it is built:
// a marker followed by four dotted numbers, exported under the name
// "<deliverable>_version".
#pragma once

#include <string>

#include "kvcore/kvcore_api.h"

// "a.b.c.d" of the file at path; "Unknown" when it cannot be read or holds no
// version record.
KVCORE_API std::string GetVersionInfo(const char* path);
// The same for a loaded module (a handle from dlopen); null means the program.
KVCORE_API std::string GetVersionInfo(void* module);
// The file of a loaded module (null: the program); empty when unknown.
KVCORE_API std::string KvModuleFile(void* module);
// The version of the program this process runs.
KVCORE_API std::string KvProgramVersion();
// The program's module handle.
KVCORE_API void* GetAppInstanceHandle();
// libkvcore.so's own module handle, as dlopen gives it (the library's resources
// are its own tables, so this serves the version and About texts only).
KVCORE_API void* GetCoreInstanceHandle();
