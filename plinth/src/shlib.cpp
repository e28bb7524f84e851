// Shared libraries: dlopen with the caller-relative lookup of bare names, dlsym with the
// underscore fallback.
#include "plinth/shlib.h"

#include <dlfcn.h>
#include <link.h>
#include <memory>
#include <new>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "elf_exports.h"

struct PlinthShlib {
    void* module = nullptr;
    std::string names; // cached export list, empty until first asked for
    bool namesMade = false;
};

namespace {

bool isFile(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string folderOfModule(const void* address)
{
    Dl_info info {};
    link_map* map = nullptr;
    if (!address || dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0)
        return {};
    std::string file;
    if (map && map->l_name && *map->l_name) {
        file = map->l_name;
    } else {
        // The main program has no name of its own in the loader's list; dladdr would give
        // argv[0], which may be relative to a folder we are no longer in.
        char self[4096];
        const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
        if (n <= 0)
            return {};
        file.assign(self, static_cast<size_t>(n));
    }
    const size_t slash = file.rfind('/');
    return slash == std::string::npos ? std::string() : file.substr(0, slash);
}

void* openModule(const char* fileName, const void* caller)
{
    const std::string name = fileName;
    if (name.find('/') != std::string::npos)
        return dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
    const std::string beside = folderOfModule(caller);
    if (!beside.empty() && isFile(beside + "/" + name))
        return dlopen((beside + "/" + name).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (isFile("./" + name))
        return dlopen(("./" + name).c_str(), RTLD_NOW | RTLD_LOCAL);
    return dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
}

} // namespace

PLINTH_API Shlib ShlibLoad(const char* fileName)
{
    if (!fileName || !*fileName)
        return nullptr;
    std::unique_ptr<PlinthShlib> shlib(new (std::nothrow) PlinthShlib);
    if (!shlib)
        return nullptr;
    shlib->module = openModule(fileName, __builtin_return_address(0));
    if (!shlib->module)
        return nullptr;
    return shlib.release();
}

PLINTH_API int ShlibUnload(Shlib shlib)
{
    std::unique_ptr<PlinthShlib> owned(shlib);
    if (!owned)
        return 0;
    return dlclose(owned->module) == 0 ? 1 : 0;
}

PLINTH_API void* ShlibGetProc(Shlib shlib, const char* name)
{
    if (!shlib || !name)
        return nullptr;
    if (void* address = dlsym(shlib->module, name))
        return address;
    try {
        return dlsym(shlib->module, ("_" + std::string(name)).c_str());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

PLINTH_API const char* ShlibGetNames(Shlib shlib)
{
    static const char kEmpty[2] = {'\0', '\0'};
    if (!shlib)
        return kEmpty;
    if (shlib->namesMade)
        return shlib->names.c_str();
    try {
        const std::vector<std::string> names = plinth::exportedNames(shlib->module);
        if (names.empty())
            return kEmpty;
        std::string list;
        for (const std::string& n : names) {
            list += n;
            list.push_back('\0');
        }
        shlib->names = std::move(list); // c_str() adds the closing zero
        shlib->namesMade = true;
        return shlib->names.c_str();
    } catch (const std::bad_alloc&) {
        return kEmpty;
    }
}
