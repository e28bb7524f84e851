#pragma once
// A plug-in set made from a scratch configuration, and access to the test
// plug-ins' own exported state.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "test_env.h"
#include "vorl/plugins.h"

namespace vorl::test {

// Keeps a test plug-in loaded for the whole test, so that its counters and log
// survive the set's unloading, and finds its exported helpers.
class PluginLib {
public:
  explicit PluginLib(const std::string& file) : handle_(dlopen(pluginPath(file).c_str(), RTLD_NOW)) {}
  ~PluginLib() {
    if (handle_ != nullptr) dlclose(handle_);
  }
  PluginLib(const PluginLib&) = delete;
  PluginLib& operator=(const PluginLib&) = delete;
  bool loaded() const { return handle_ != nullptr; }
  template <typename Fn> Fn get(const char* name) const {
    return reinterpret_cast<Fn>(handle_ != nullptr ? dlsym(handle_, name) : nullptr);
  }

private:
  void* handle_;
};

class Recorder {
public:
  Recorder() : lib_("recorder.vpx") {
    if (!lib_.loaded()) throw std::runtime_error("recorder.vpx is not built");
    reset();
  }
  std::string log() const { return lib_.get<const char* (*)()>("RecorderLog")(); }
  void reset() const { lib_.get<void (*)()>("RecorderReset")(); }
  void setResult(const std::string& call, int result) const {
    lib_.get<void (*)(const char*, int)>("RecorderSetResult")(call.c_str(), result);
  }

private:
  PluginLib lib_;
};

// "[Plugins]" section lines -> a loaded set (null on failure) of the given role.
inline PluginSet* makeSet(const ScratchDir& dir, const std::string& lines, int role = VORL_ROLE_CLIENT,
                          int maxConnections = 1, int attached = 1) {
  const std::string file = dir.write("router.ini", "[Plugins]\n" + lines);
  const PluginHostInfo info{VORL_PLUGIN_INTERFACE_VERSION, file.c_str(), "Plugins", maxConnections, attached,
                            role};
  return PluginsInit(&info, nullptr, 0);
}

inline std::string entry(const std::string& key, const std::string& file, const std::string& init) {
  return key + "=" + pluginPath(file) + "," + init + "\n";
}

} // namespace vorl::test
