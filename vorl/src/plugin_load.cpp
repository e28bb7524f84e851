// Creating a plug-in set: loading the plug-ins that the role's plug-in
// section names, in file order, and checking the ownership of the
// modification slots.
#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "plinth/config.h"
#include "plinth/time.h"
#include "plugin_set.h"
#include "vorl/codec.h"

namespace {

constexpr std::size_t kKeyListSize = 32768;
constexpr int kEntrySize = 128; // value of at most 127 characters

bool fileExists(const std::string& path) {
  struct stat st{};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string trim(std::string_view s) {
  const auto b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  const auto e = s.find_last_not_of(" \t");
  return std::string(s.substr(b, e - b + 1));
}

// A bare name (no folder) is looked for beside this library, then in the current
// folder; a name without an extension gets the plug-in suffix.
std::string resolvePluginPath(const std::string& name) {
  if (name.find('/') != std::string::npos) return name;
  std::string file = name;
  if (file.find('.') == std::string::npos) file += ".vpx";
  Dl_info self{};
  if (dladdr(reinterpret_cast<void*>(&PluginsInit), &self) != 0 && self.dli_fname != nullptr) {
    std::string dir(self.dli_fname);
    const auto slash = dir.rfind('/');
    if (slash != std::string::npos) {
      const std::string beside = dir.substr(0, slash + 1) + file;
      if (fileExists(beside)) return beside;
    }
  }
  if (fileExists("./" + file)) return "./" + file;
  return file;
}

bool has(const PluginFunctions* t, int slot) {
  switch (slot) {
  case 10: return t->AddMsg != nullptr;
  case 11: return t->GetMsg != nullptr;
  case 12: return t->SendToNet != nullptr;
  case 13: return t->RecvFromNet != nullptr;
  case 14: return t->GetPktOverhead != nullptr;
  case 15: return t->GetMsgOverhead != nullptr;
  default: return false;
  }
}

// Step 4 of loading: a refused plug-in is cleaned up at once.
bool acceptTable(PluginSet* set, vorl::LoadedPlugin& p) {
  const PluginFunctions* t = p.table;
  const char* refusal = nullptr;
  if (has(t, 14) && !has(t, 12)) {
    refusal = "Plugin %s attempted to define \"packet overhead\" function without defining the "
              "corresponding \"send to net\" function\n";
  } else if (has(t, 15) && !has(t, 10)) {
    refusal = "Plugin %s attempted to define \"message overhead\" function without defining the "
              "corresponding \"add message\" function\n";
  } else {
    for (int slot = 10; slot <= 13; ++slot) {
      if (has(t, slot) && set->owner[static_cast<std::size_t>(slot - 10)] >= 0) {
        refusal = "Plugin %s attempted to redefine the modification functions\n";
        break;
      }
    }
  }
  if (refusal != nullptr) {
    std::fprintf(stderr, refusal, p.key.c_str());
    if (t->Cleanup != nullptr) t->Cleanup(p.context);
    return false;
  }
  for (int slot = 10; slot <= 13; ++slot) {
    if (has(t, slot)) set->owner[static_cast<std::size_t>(slot - 10)] = set->count;
  }
  return true;
}

// Steps 2 and 3 for one key. False when the set fails.
bool loadOne(PluginSet* set, Config config, const char* key) {
  char value[kEntrySize];
  ConfigReadString(config, key, value, sizeof value, "");
  const std::string_view entry(value);
  const auto comma = entry.find(',');
  if (comma == std::string_view::npos) {
    std::fprintf(stderr, "Invalid entry in config file for plugin %s\n", key);
    return false;
  }
  const std::string library = trim(entry.substr(0, comma));
  const std::string function = trim(entry.substr(comma + 1));

  vorl::LoadedPlugin& p = set->plugins[static_cast<std::size_t>(set->count)];
  p = vorl::LoadedPlugin{};
  p.key = key;
  p.library = ShlibLoad(resolvePluginPath(library).c_str());
  bool loaded = false;
  if (p.library == nullptr) {
    std::fprintf(stderr, "Unable to load the shared library %s\n", library.c_str());
  } else if (auto init = reinterpret_cast<PluginInitFn>(ShlibGetProc(p.library, function.c_str()));
             init == nullptr) {
    std::fprintf(stderr, "Unable to locate plugin %s init function %s in library %s\n", key,
                 function.c_str(), library.c_str());
  } else {
    p.info = PluginHostInfo{VORL_PLUGIN_INTERFACE_VERSION, set->configFile.c_str(), p.key.c_str(),
                            set->maxConnections, set->attached, set->role};
    const PluginFunctions* table = nullptr;
    void* context = nullptr;
    const int rc = init(&p.info, &set->callbacks, &table, &context);
    if (rc != 0 || table == nullptr) {
      std::fprintf(stderr, "Plugin %s initialisation failed\n", key);
    } else {
      p.table = table;
      p.context = context;
      loaded = true;
    }
  }
  if (!loaded) {
    std::fprintf(stderr, "Unable to load plugin \"%s\"\n", key);
    if (p.library != nullptr) ShlibUnload(p.library);
    p = vorl::LoadedPlugin{};
    return false;
  }
  if (!acceptTable(set, p)) {
    ShlibUnload(p.library);
    p = vorl::LoadedPlugin{};
    return false;
  }
  ++set->count;
  return true;
}

bool loadAll(PluginSet* set) {
  Config config = ConfigOpen(set->pluginSection.c_str(), set->configFile.c_str());
  if (config == nullptr) {
    std::fprintf(stderr, "Unable to read plugins from config file - %s\n", SysErrorString());
    return false;
  }
  std::unique_ptr<char[]> keys(new (std::nothrow) char[kKeyListSize]);
  bool ok = keys != nullptr;
  if (ok) ConfigReadString(config, nullptr, keys.get(), static_cast<int>(kKeyListSize), "");
  for (const char* key = keys.get(); ok && *key != '\0' && set->count < VORL_PLUGIN_MAX;
       key += std::strlen(key) + 1) {
    ok = loadOne(set, config, key);
  }
  ConfigClose(config);
  return ok;
}

} // namespace

VORL_API PluginSet* PluginsInit(const PluginHostInfo* info, void* area, int mutexKey) {
  if (info == nullptr) return nullptr;
  PluginSet* set = new (std::nothrow) PluginSet;
  if (set == nullptr) return nullptr;
  set->role = info->vorlType;
  set->broadcast = info->vorlType == VORL_ROLE_BCSERVER || info->vorlType == VORL_ROLE_BCCLIENT;
  set->configFile = info->configFile != nullptr ? info->configFile : "";
  set->pluginSection = info->section != nullptr ? info->section : "";
  set->maxConnections = info->maxConnections;
  set->attached = info->attached;
  set->callbacks = vorl::HostCallbacks(set->broadcast);
  set->context.set = set;
  if (area == nullptr) {
    set->ownArea.reset(new (std::nothrow) uint8_t[VORL_PLUGIN_AREA_SIZE]);
    if (set->ownArea == nullptr) {
      delete set;
      return nullptr;
    }
    area = set->ownArea.get();
  }
  set->context.area = static_cast<uint8_t*>(area);
  if (mutexKey != 0) {
    set->context.mutex = MutexOpen(mutexKey);
    if (set->context.mutex == nullptr) {
      delete set;
      return nullptr;
    }
  }
  if (!loadAll(set)) {
    PluginsCleanup(set);
    return nullptr;
  }
  std::memset(set->context.area, 0, VORL_PKTHDR_SIZE);
  return set;
}

VORL_API void PluginsCleanup(PluginSet* set) {
  if (set == nullptr) return;
  for (int i = 0; i < set->count; ++i) {
    vorl::LoadedPlugin& p = set->plugins[static_cast<std::size_t>(i)];
    if (p.table != nullptr && p.table->Cleanup != nullptr) p.table->Cleanup(p.context);
  }
  for (int i = 0; i < set->count; ++i) ShlibUnload(set->plugins[static_cast<std::size_t>(i)].library);
  if (set->context.mutex != nullptr) MutexClose(set->context.mutex);
  delete set;
}
