#include "kvcore/app/command_line.h"

#include <strings.h>

void CKvCommandLineInfo::ParseParam(const char* param, bool flag, bool /*last*/)
{
    if (param == nullptr)
        return;
    if (!flag) {
        DefaultParam(param, flag);
        return;
    }
    switch (param[0]) {
    case 'M':
    case 'm':
        m_bMaximize = 1;
        return;
    case 'N':
    case 'n':
        // Any other N flag is taken and dropped, as the single letter N is.
        if (strcasecmp(param, "NOCHECKVERSION") == 0)
            m_bCheckVersion = 0;
        return;
    case 'p':
        m_sPassword = param + 1;
        return;
    case 'u':
        m_sUser = param + 1;
        return;
    default:
        DefaultParam(param, flag);
        return;
    }
}

void CKvCommandLineInfo::Parse(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        const char* word = argv[i];
        if (word == nullptr)
            continue;
        const bool flag = word[0] == '/' || word[0] == '-';
        ParseParam(flag ? word + 1 : word, flag, i + 1 == argc);
    }
}

void CKvCommandLineInfo::DefaultParam(const char* param, bool flag)
{
    if (flag) {
        m_aDefaultFlags.emplace_back(param);
    } else if (m_strFileName.empty()) {
        m_strFileName = param;
    }
}
