// The start-up check that the program runs with the libraries it was built
// with: each component file must carry exactly the version text its row
// requires; every wrong file is reported, then the program does not start.
#pragma once

#include <functional>
#include <span>
#include <string>

struct ComponentRow {
    const char* file;
    const char* debugFile; // kept with the row; the check reads only `file`
    const char* version;
};

// The system's own libraries, each at the version of this build.
std::span<const ComponentRow> ComponentTable();

// The version text of a component file ("Unknown" when it has none).
using ComponentVersionFn = std::function<std::string(const std::string& file)>;

// Where the components are looked for: beside libkvcore.so.
ComponentVersionFn InstalledComponentVersions();

// 1 when every file has a version its rows allow; else each wrong file has
// shown the bilingual message and the result is 0. A row whose file equals
// the one before it is not read again.
int CheckComponentVersions(
    const ComponentVersionFn& versionOf, std::span<const ComponentRow> rows = ComponentTable());
