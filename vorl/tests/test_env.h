#pragma once
// Scratch folders and configuration files for the router tests.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace vorl::test {

class ScratchDir {
public:
  ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vorltest.XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchDir() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return path_; }
  std::string write(const std::string& name, const std::string& text) const {
    const std::string file = path_ + "/" + name;
    std::ofstream(file, std::ios::binary) << text;
    return file;
  }

private:
  std::string path_;
};

inline std::string env(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr ? v : "";
}

// The build's folders, unless the test environment names others.
inline std::string pluginDir() {
  const std::string dir = env("VORL_TEST_PLUGIN_DIR");
  return dir.empty() ? VORL_TEST_PLUGIN_DIR_DEFAULT : dir;
}
inline std::string messageFile() {
  const std::string file = env("VORL_TEST_MSGFILE");
  return file.empty() ? VORL_TEST_MSGFILE_DEFAULT : file;
}
inline std::string pluginPath(const std::string& name) { return pluginDir() + "/" + name; }

// Sets or clears an environment variable for one scope.
class EnvVar {
public:
  EnvVar(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) {
      had_ = true;
      old_ = old;
    }
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~EnvVar() {
    if (had_) {
      setenv(name_, old_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  EnvVar(const EnvVar&) = delete;
  EnvVar& operator=(const EnvVar&) = delete;

private:
  const char* name_;
  bool had_ = false;
  std::string old_;
};

} // namespace vorl::test
