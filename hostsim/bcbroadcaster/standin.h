#pragma once
// Small pieces shared by the broadcasting stand-ins: settings, stop signal, loopback
// checks. The stand-ins are not part of the system; they play the host's processes.
#include <arpa/inet.h>
#include <signal.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "plinth/config.h"

namespace hostsim {

inline std::atomic<bool>& stopRequested() {
  static std::atomic<bool> stop{false};
  return stop;
}

inline void onStopSignal(int) { stopRequested() = true; }

inline void installStopHandlers() {
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
}

struct Settings {
  explicit Settings(const char* file, const char* section) : config(ConfigOpen(section, file)) {}
  ~Settings() { ConfigClose(config); }
  Settings(const Settings&) = delete;
  Settings& operator=(const Settings&) = delete;
  int integer(const char* key, int fallback) const { return ConfigReadInt(config, key, fallback); }
  std::string text(const char* key, const char* fallback) const {
    char buffer[256];
    ConfigReadString(config, key, buffer, sizeof buffer, fallback);
    return buffer;
  }
  Config config;
};

// Only loopback destinations: 127.0.0.0/8, broadcast 127.255.255.255 included.
inline bool loopbackAddress(const std::string& text, in_addr* address) {
  if (inet_pton(AF_INET, text.c_str(), address) != 1) return false;
  return (ntohl(address->s_addr) >> 24) == 127;
}

// Tells a waiting starter that the process is set up.
inline void markReady(const char* path) {
  if (path == nullptr) return;
  const std::string temporary = std::string(path) + ".tmp";
  { std::ofstream(temporary) << "ready\n"; }
  std::rename(temporary.c_str(), path);
}

} // namespace hostsim
