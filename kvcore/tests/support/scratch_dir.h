// A scratch settings folder for the life of a test: VEXA_INI_DIR points at it
// (and is restored afterwards), so bare INI names resolve there.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "support/scoped_env.h"

namespace kvtest {

class ScratchIniDir {
public:
    ScratchIniDir()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kvini.XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr)
            m_dir = pattern;
        m_env = std::make_unique<ScopedEnv>("VEXA_INI_DIR", m_dir);
    }
    ~ScratchIniDir()
    {
        m_env.reset();
        std::error_code ec;
        if (!m_dir.empty())
            std::filesystem::remove_all(m_dir, ec);
    }
    ScratchIniDir(const ScratchIniDir&) = delete;
    ScratchIniDir& operator=(const ScratchIniDir&) = delete;

    const std::string& Path() const { return m_dir; }
    void Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(m_dir + "/" + name, std::ios::binary | std::ios::trunc) << text;
    }

private:
    std::string m_dir;
    std::unique_ptr<ScopedEnv> m_env;
};

} // namespace kvtest
