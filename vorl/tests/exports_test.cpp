// The workstation loads libvorl.so by name and binds fifteen functions by
// name; all of them must be there.
#include <dlfcn.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "vorl/client.h"
#include "vorl/result.h"

namespace {

TEST(Exports, TheFifteenBoundFunctionsResolve) {
  const char* const names[] = {
      "VORLCreate",      "VORLConnect",    "VORLDisconnect", "VORLSetLogonMessage", "VORLRecv",
      "VORLNumMessages", "VORLMessage",    "VORLGetMessage", "VORLSend",            "VORLStartPacket",
      "VORLAddMessage",  "VORLEndPacket",  "VORLResetPacket", "VORLSetOption",      "VORLGetError",
  };
  // The file name the workstation uses, in the folder the build puts it.
  const std::string bin = std::getenv("KV_BIN_DIR") != nullptr ? std::getenv("KV_BIN_DIR") : VORL_TEST_BIN_DIR;
  void* lib = dlopen((bin + "/libvorl.so").c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(lib, nullptr) << dlerror();
  for (const char* name : names) EXPECT_NE(dlsym(lib, name), nullptr) << name;

  // Calls through the bound pointers: a null handle is refused everywhere.
  using Handle = void*;
  auto connect = reinterpret_cast<int (*)(Handle)>(dlsym(lib, "VORLConnect"));
  auto recv = reinterpret_cast<int (*)(Handle, int)>(dlsym(lib, "VORLRecv"));
  auto setOption = reinterpret_cast<int (*)(Handle, int, intptr_t)>(dlsym(lib, "VORLSetOption"));
  auto getError = reinterpret_cast<const char* (*)(int)>(dlsym(lib, "VORLGetError"));
  ASSERT_TRUE(connect && recv && setOption && getError);
  EXPECT_EQ(connect(nullptr), VORL_ERR_INVALID_HANDLE);
  EXPECT_EQ(recv(nullptr, 0), VORL_ERR_INVALID_HANDLE);
  EXPECT_EQ(setOption(nullptr, 4, 1), VORL_ERR_INVALID_HANDLE);
  EXPECT_NE(getError(VORL_ERR_INVALID_HANDLE), nullptr);
  dlclose(lib);
}

} // namespace
