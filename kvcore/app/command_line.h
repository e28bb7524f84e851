// The workstation's command line: words after "/" or "-" are flags; M opens the
// main window maximised, NOCHECKVERSION turns the version check off, u<name> and
// p<password> log on at start. Other words are left to the framework's own
// handling, which the application program may read back.
#pragma once

#include <string>
#include <vector>

#include "kvcore/kvcore_api.h"

class KVCORE_API CKvCommandLineInfo {
public:
    virtual ~CKvCommandLineInfo() = default;

    // One word: param without its "/" or "-" when flag is set.
    virtual void ParseParam(const char* param, bool flag, bool last);
    // Every word after the program name.
    void Parse(int argc, const char* const* argv);

    int m_bMaximize = 0;
    int m_bCheckVersion = 1;
    std::string m_sUser;
    std::string m_sPassword;
    int m_nReserved = 0; // kept for the record's layout; never read

    // What went to the default handling: flags as given (without the prefix),
    // and the first word that is not a flag (a file name).
    std::vector<std::string> m_aDefaultFlags;
    std::string m_strFileName;

protected:
    void DefaultParam(const char* param, bool flag);
};
