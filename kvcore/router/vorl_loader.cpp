// Loading the router library beside libkvcore.so and creating the session.
#include <dlfcn.h>
#include <link.h>

#include <climits>
#include <cstdlib>
#include <memory>
#include <string>
#include <type_traits>

#include "kvcore/app/message_box.h"
#include "kvcore/res/ids.h"
#include "kvcore/router/cvorl.h"

namespace {

constexpr const char* kLibraryName = "libvorl.so";
constexpr const char* kMessageFileName = "vorl.msg";
// The router keeps process-wide state (its open message file, the sockets'
// start-up) for the life of the process; unloading its code under that state
// would strand it, so the session's release drops only its reference.
constexpr int kOpenFlags = RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE;

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// The folder that holds libkvcore.so itself.
std::string CoreFolder()
{
    Dl_info info {};
    if (dladdr(reinterpret_cast<void*>(&KvCreateRouterSession), &info) == 0 || info.dli_fname == nullptr) {
        return ".";
    }
    return FolderOf(info.dli_fname);
}

// The full path of a loaded library, as the loader resolved it.
std::string LoadedPath(void* handle, const std::string& fallback)
{
    link_map* map = nullptr;
    std::string path = fallback;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) == 0 && map != nullptr && map->l_name != nullptr
        && map->l_name[0] != '\0') {
        path = map->l_name;
    }
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) != nullptr)
        path = resolved;
    return path;
}

std::unique_ptr<CVorl>& Owner()
{
    static std::unique_ptr<CVorl> owner;
    return owner;
}

} // namespace

CVorl* pvorl = nullptr;

int CVorl::Init(const std::string& folder)
{
    if (m_hInstance != nullptr)
        return m_bLoaded;
    void* handle = nullptr;
    std::string tried;
    const std::string first = (folder.empty() ? CoreFolder() : folder) + "/" + kLibraryName;
    handle = dlopen(first.c_str(), kOpenFlags);
    tried = first;
    if (handle == nullptr && folder.empty()) {
        tried = std::string("./") + kLibraryName;
        handle = dlopen(tried.c_str(), kOpenFlags);
    }
    if (handle == nullptr) {
        KvMessageBoxId(IDS_ERROR_LOADING_VORL, fw::MB_ICONSTOP);
        return 0;
    }
    m_hInstance = handle;
    // Bound by name in the order of kVorlEntryNames; a missing name stays null and its
    // calls report an incomplete library instead of jumping through null.
    size_t i = 0;
    const auto bind = [&](auto& slot) {
        slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(dlsym(handle, kVorlEntryNames[i++]));
    };
    bind(m_api.VORLCreate);
    bind(m_api.VORLConnect);
    bind(m_api.VORLDisconnect);
    bind(m_api.VORLSetLogonMessage);
    bind(m_api.VORLRecv);
    bind(m_api.VORLNumMessages);
    bind(m_api.VORLMessage);
    bind(m_api.VORLGetMessage);
    bind(m_api.VORLSend);
    bind(m_api.VORLStartPacket);
    bind(m_api.VORLAddMessage);
    bind(m_api.VORLEndPacket);
    bind(m_api.VORLResetPacket);
    bind(m_api.VORLGetError);
    bind(m_api.VORLSetOption);
    m_bLoaded = 1;
    const std::string messageFile = FolderOf(LoadedPath(handle, tried)) + "/" + kMessageFileName;
    setenv("VORLMSGFILE", messageFile.c_str(), 1);
    return m_bLoaded;
}

int KvCreateRouterSession(const std::string& folder)
{
    auto session = std::make_unique<CVorl>();
    if (!session->Init(folder)) {
        Owner().reset();
        pvorl = nullptr;
        return 0;
    }
    Owner() = std::move(session);
    pvorl = Owner().get();
    return 1;
}

void KvDestroyRouterSession()
{
    pvorl = nullptr;
    Owner().reset();
}
