// Loading plug-ins: the limit of eight, load order, host information and the
// exact refusal texts.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <vector>

#include "plugin_fixture.h"
#include "plugin_set.h"

namespace {

using vorl::test::entry;
using vorl::test::makeSet;
using vorl::test::PluginLib;
using vorl::test::Recorder;
using vorl::test::ScratchDir;

TEST(PluginLoad, NineEntriesLoadTheFirstEightInOrder) {
  Recorder rec;
  ScratchDir dir;
  std::string lines;
  for (int i = 1; i <= 9; ++i) lines += entry("P" + std::to_string(i), "recorder.vpx", "RecorderInit");
  PluginSet* set = makeSet(dir, lines, VORL_ROLE_CLIENT);
  ASSERT_NE(set, nullptr);
  std::string expected;
  for (int i = 1; i <= 8; ++i) {
    expected += "P" + std::to_string(i) + ":Init version 259 role 1 connections 1 attached 1\n";
  }
  EXPECT_EQ(rec.log(), expected);

  rec.reset();
  PluginMsgRecord msg{};
  msg.type = 77;
  EXPECT_EQ(PluginsOnAddMsg(set, &msg), 0);
  EXPECT_EQ(msg.context, PluginsDefaultContext(set));
  PluginsCleanup(set);
  std::string calls, cleanups;
  for (int i = 1; i <= 8; ++i) {
    calls += "P" + std::to_string(i) + ":OnAddMsg 77\n";
    cleanups += "P" + std::to_string(i) + ":Cleanup\n";
  }
  EXPECT_EQ(rec.log(), calls + cleanups);
}

TEST(PluginLoad, BareNamesResolveInTheWorkingFolderAndGetTheSuffix) {
  Recorder rec;
  ScratchDir dir;
  std::filesystem::copy_file(vorl::test::pluginPath("recorder.vpx"), dir.path() + "/rec_copy.vpx");
  const auto old = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  PluginSet* set = makeSet(dir, "A=rec_copy.vpx,RecorderInit\nB=rec_copy,RecorderInit\n");
  std::filesystem::current_path(old);
  ASSERT_NE(set, nullptr);
  PluginsCleanup(set);
}

TEST(PluginLoad, RefusalsAreReportedInTheirExactWords) {
  PluginLib refuse("refuse.vpx");
  PluginLib xorLib("xor.vpx");
  const auto refuseCleanups = refuse.get<int (*)()>("RefuseCleanups");
  const auto xorCleanups = xorLib.get<int (*)()>("XorCleanups");
  ASSERT_NE(refuseCleanups, nullptr);
  ASSERT_NE(xorCleanups, nullptr);
  const std::string refusePath = vorl::test::pluginPath("refuse.vpx");
  const std::string xorPath = vorl::test::pluginPath("xor.vpx");
  const struct {
    const char* what;
    std::string lines;
    std::string stderrText;
    int refuseCleanupCalls;
    int xorCleanupCalls;
  } cases[] = {
      {"no comma", "Bad=" + refusePath + "\n", "Invalid entry in config file for plugin Bad\n", 0, 0},
      {"empty value", "Bad=\n", "Invalid entry in config file for plugin Bad\n", 0, 0},
      {"missing library", "Lib=/nonexistent/none.vpx,Init\n",
       "Unable to load the shared library /nonexistent/none.vpx\nUnable to load plugin \"Lib\"\n", 0, 0},
      {"missing function", entry("Fn", "refuse.vpx", "NoSuchInit"),
       "Unable to locate plugin Fn init function NoSuchInit in library " + refusePath +
           "\nUnable to load plugin \"Fn\"\n",
       0, 0},
      {"init fails", entry("R", "refuse.vpx", "RefuseInit"),
       "Plugin R initialisation failed\nUnable to load plugin \"R\"\n", 0, 0},
      {"no table", entry("N", "refuse.vpx", "NoTableInit"),
       "Plugin N initialisation failed\nUnable to load plugin \"N\"\n", 0, 0},
      {"packet overhead alone", entry("O", "refuse.vpx", "PktOverheadOnlyInit"),
       "Plugin O attempted to define \"packet overhead\" function without defining the corresponding "
       "\"send to net\" function\n",
       1, 0},
      {"message overhead alone", entry("M", "refuse.vpx", "MsgOverheadOnlyInit"),
       "Plugin M attempted to define \"message overhead\" function without defining the corresponding "
       "\"add message\" function\n",
       1, 0},
      {"second send-to-net owner", entry("X1", "xor.vpx", "XorInit") + entry("X2", "xor.vpx", "XorSendOnlyInit"),
       "Plugin X2 attempted to redefine the modification functions\n", 0, 2},
      {"failure after a good one", entry("X1", "xor.vpx", "XorInit") + entry("R", "refuse.vpx", "RefuseInit"),
       "Plugin R initialisation failed\nUnable to load plugin \"R\"\n", 0, 1},
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    const int refuseBefore = refuseCleanups();
    const int xorBefore = xorCleanups();
    testing::internal::CaptureStderr();
    PluginSet* set = makeSet(dir, c.lines);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(set, nullptr) << c.what;
    PluginsCleanup(set);
    EXPECT_EQ(err, c.stderrText) << c.what;
    EXPECT_EQ(refuseCleanups() - refuseBefore, c.refuseCleanupCalls) << c.what;
    EXPECT_EQ(xorCleanups() - xorBefore, c.xorCleanupCalls) << c.what;
  }
}

TEST(PluginLoad, RolesConnectionsAndOwnershipReachTheHostInformation) {
  // The router process owns the plug-ins' shared state (attached 0); a plug-in
  // told otherwise opens state nobody created.
  const struct {
    int role;
    int attached;
  } cases[] = {{VORL_ROLE_SERVER, 0},   {VORL_ROLE_SERVER, 1},   {VORL_ROLE_BCSERVER, 0},
               {VORL_ROLE_BCSERVER, 1}, {VORL_ROLE_BCCLIENT, 1}, {VORL_ROLE_CLIENT, 1}};
  Recorder rec;
  for (const auto& c : cases) {
    ScratchDir dir;
    rec.reset();
    PluginSet* set = makeSet(dir, entry("Gauge", "recorder.vpx", "RecorderInit"), c.role, 64, c.attached);
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(rec.log(), "Gauge:Init version 259 role " + std::to_string(c.role) + " connections 64 attached " +
                             std::to_string(c.attached) + "\n");
    PluginsCleanup(set);
  }
}

TEST(PluginLoad, AnEmptyOrMissingSectionLoadsNothing) {
  ScratchDir dir;
  PluginSet* set = makeSet(dir, "");
  ASSERT_NE(set, nullptr);
  EXPECT_EQ(PluginsHaveSendToNet(set), 0);
  PluginsCleanup(set);
}

} // namespace

namespace {

TEST(PluginLoad, AMutexKeyThatNamesNoMutexFailsTheSet) {
  const std::string ns = "t" + std::to_string(getpid()) + "_";
  vorl::test::EnvVar isolate("PLINTH_NAMESPACE", ns.c_str());
  ScratchDir dir;
  const std::string file = dir.write("router.ini", "[Plugins]\n");
  const PluginHostInfo info{VORL_PLUGIN_INTERFACE_VERSION, file.c_str(), "Plugins", 1, 1, VORL_ROLE_BCCLIENT};
  EXPECT_EQ(PluginsInit(&info, nullptr, 424242), nullptr);
  // The caller's area is used as it is and starts empty.
  std::vector<uint8_t> area(VORL_PLUGIN_AREA_SIZE, 0xEE);
  PluginSet* set = PluginsInit(&info, area.data(), 0);
  ASSERT_NE(set, nullptr);
  EXPECT_EQ(PluginsDefaultContext(set)->area, area.data());
  EXPECT_EQ(area[2], 0);
  EXPECT_EQ(area[15], 0);
  EXPECT_EQ(area[16], 0xEE);
  PluginsCleanup(set);
  EXPECT_EQ(area[16], 0xEE); // not the set's to free
}

} // namespace
