#include "kv32/shell/component_check.h"

#include <cstring>

#include "fw/core/codepage.h"
#include "fw/core/msgbox.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/version_info.h"

namespace {

constexpr ComponentRow kComponents[] = {
    { "libplinth.so", "libplinth.so", KV32_PROJECT_VERSION },
    { "libvorl.so", "libvorl.so", KV32_PROJECT_VERSION },
    { "libkvcore.so", "libkvcore.so", KV32_PROJECT_VERSION },
};

std::string WrongVersionText(const std::string& file, const std::string& version)
{
    const std::string text = "Rossz verziójú a(z) " + file + " állomány ! (verzió " + version
        + "). A program leáll !!\n Wrong version of the file " + file
        + " was found on this computer (version " + version + "). The program will abort!";
    return fw::utf8ToCp1250(text).text;
}

std::string Folder(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

std::span<const ComponentRow> ComponentTable()
{
    return kComponents;
}

ComponentVersionFn InstalledComponentVersions()
{
    const std::string folder = Folder(KvModuleFile(GetCoreInstanceHandle()));
    return [folder](const std::string& file) { return GetVersionInfo((folder + file).c_str()); };
}

int CheckComponentVersions(const ComponentVersionFn& versionOf, std::span<const ComponentRow> rows)
{
    int passed = 1;
    const char* previous = nullptr;
    for (const ComponentRow& row : rows) {
        if (previous != nullptr && std::strcmp(previous, row.file) == 0)
            continue;
        previous = row.file;
        const std::string found = versionOf(row.file);
        bool allowed = false;
        for (const ComponentRow& other : rows)
            allowed = allowed || (std::strcmp(other.file, row.file) == 0 && found == other.version);
        if (!allowed) {
            KvMessageBox(WrongVersionText(row.file, found), fw::MB_OK);
            passed = 0;
        }
    }
    return passed;
}
