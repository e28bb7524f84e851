// A scratch folder for the life of a test that is both the INI folder and the
// user's own folder ("kv3userpath"): the alerts, logs and audit display modes
// a session saves when its tables are freed land there and go with it, never
// in the folder the test runs in. The folders the program had are restored.
#pragma once

#include <filesystem>
#include <string>

#include "kv32/tables/table_settings.h"
#include "kvcore/app/session_core.h"
#include "support/scoped_env.h"
#include "support/scratch_dir.h"

namespace kv32test {

class ScratchSettingsDir : public kvtest::ScratchIniDir {
public:
    ScratchSettingsDir()
        : m_userFolder("kv3userpath", Path())
        , m_savedSettingsPath(sSettingsPath)
        , m_savedTablePath(KvTableSettings().settingsPath)
    {
        sSettingsPath = Path() + "/";
        KvTableSettings().settingsPath = sSettingsPath;
    }
    ~ScratchSettingsDir()
    {
        sSettingsPath = m_savedSettingsPath;
        KvTableSettings().settingsPath = m_savedTablePath;
    }

private:
    kvtest::ScopedEnv m_userFolder;
    std::string m_savedSettingsPath;
    std::filesystem::path m_savedTablePath;
};

} // namespace kv32test
