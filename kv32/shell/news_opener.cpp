#include "kv32/shell/news_opener.h"

#include <sys/stat.h>
#include <unistd.h>

#include "fw/core/msgbox.h"
#include "fw/core/profile.h"
#include "kv32/res/message_dialogs_ids.h"
#include "kv32/shell/news_location.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/profile_settings.h"

std::function<bool(const std::string& path)>& KvDesktopOpener()
{
    static std::function<bool(const std::string& path)> opener;
    return opener;
}

std::string KvShellErrorText(int code)
{
    struct Entry {
        int code;
        uint32_t id;
    };
    static constexpr Entry kTexts[] = {
        { 0, IDS_SHELL_OUT_OF_RESOURCES },
        { 2, IDS_SHELL_FILE_NOT_FOUND },
        { 3, IDS_SHELL_PATH_NOT_FOUND },
        { 5, IDS_SHELL_ACCESS_DENIED },
        { 8, IDS_SHELL_OUT_OF_MEMORY },
        { 11, IDS_SHELL_BAD_FORMAT },
        { 26, IDS_SHELL_SHARING_VIOLATION },
        { 27, IDS_SHELL_NO_ASSOCIATION_INCOMPLETE },
        { 28, IDS_SHELL_DDE_TIMEOUT },
        { 29, IDS_SHELL_DDE_FAILED },
        { 30, IDS_SHELL_DDE_BUSY },
        { 31, IDS_SHELL_NO_ASSOCIATION },
        { 32, IDS_SHELL_DLL_NOT_FOUND },
    };
    for (const Entry& e : kTexts)
        if (e.code == code)
            return Kv32MessageDialogString(e.id);
    return Kv32MessageDialogString(IDS_SHELL_UNKNOWN_ERROR);
}

int KvOpenNewsDocument(const std::string& path)
{
    int code = 0;
    struct stat st {};
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        struct stat dir {};
        code = ::stat(folder.c_str(), &dir) == 0 && S_ISDIR(dir.st_mode) ? 2 : 3;
    } else if (::access(path.c_str(), R_OK) != 0) {
        code = 5;
    } else if (!KvDesktopOpener() || !KvDesktopOpener()(path)) {
        code = 31;
    }
    if (code != 0)
        KvMessageBox(KvShellErrorText(code), fw::MB_ICONSTOP);
    return code;
}

int KvOpenNewsAttachment(const std::string& fileName)
{
    if (fileName.empty())
        return -1;
    if (!KvIsSafeAttachmentName(fileName)) {
        KvMessageBox(Kv32MessageDialogString(IDS_FTP_UNSAFE_NAME) + fileName, fw::MB_ICONEXCLAMATION);
        return -1;
    }
    std::string folder = fw::Profile(kKvAppProfile).getString("NEWS", "NewsPath");
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    const std::string path = folder.empty() ? fileName : folder + "/" + fileName;
    if (::access(path.c_str(), F_OK) != 0) {
        CNewsLocation where;
        if (where.Download(path) != 1)
            return -1;
    }
    return KvOpenNewsDocument(path);
}
