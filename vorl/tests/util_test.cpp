#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <string>

#include "vorl/util.h"

namespace {

uint32_t ip(const char* dotted) { return inet_addr(dotted); }

TEST(Netmask, ClassfulDefaults) {
  const struct {
    const char* network;
    const char* mask;
  } cases[] = {
      {"10.0.0.0", "255.0.0.0"},         {"10.1.0.0", "255.255.255.255"},
      {"127.0.0.0", "255.0.0.0"},        {"0.0.0.0", "255.0.0.0"},
      {"128.0.0.0", "255.255.0.0"},      {"172.16.0.0", "255.255.0.0"},
      {"191.255.0.0", "255.255.0.0"},    {"172.16.1.0", "255.255.255.255"},
      {"192.0.0.0", "255.255.255.0"},    {"192.168.1.0", "255.255.255.0"},
      {"223.255.255.0", "255.255.255.0"}, {"192.168.1.1", "255.255.255.255"},
      {"224.0.0.0", "255.255.255.255"},  {"255.255.255.255", "255.255.255.255"},
  };
  for (const auto& c : cases) EXPECT_EQ(GetDefaultNetmask(ip(c.network)), ip(c.mask)) << c.network;
}

TEST(Netmask, MergeCheckAndMembership) {
  EXPECT_EQ(MergeAddressAndNetmask(ip("127.0.0.0"), ip("255.0.0.0")), ip("127.255.255.255"));
  EXPECT_EQ(MergeAddressAndNetmask(ip("192.168.4.0"), ip("255.255.255.0")), ip("192.168.4.255"));
  EXPECT_EQ(CheckAddressAndNetmask(ip("192.168.4.0"), ip("255.255.255.0")), 1);
  EXPECT_EQ(CheckAddressAndNetmask(ip("192.168.4.1"), ip("255.255.255.0")), 0);
  EXPECT_EQ(AddressIsInNetwork(ip("127.0.0.1"), ip("127.9.8.7"), ip("255.0.0.0")), 1);
  EXPECT_EQ(AddressIsInNetwork(ip("127.0.0.1"), ip("128.0.0.1"), ip("255.0.0.0")), 0);
}

TEST(ConfigString, SplitsAtTheFirstCommaAndCutsToSize) {
  const struct {
    const char* text;
    int fileSize, sectionSize;
    const char* file;
    const char* section;
  } cases[] = {
      {"router.ini,VORLClient", 260, 128, "router.ini", "VORLClient"},
      {"router.ini", 260, 128, "router.ini", ""},
      {"a.ini,S1,S2", 260, 128, "a.ini", "S1,S2"},
      {",Sect", 260, 128, "", "Sect"},
      {"abcdef,ghijk", 4, 3, "abc", "gh"},
      {"abc,def", 1, 1, "", ""},
      {nullptr, 16, 16, "", ""},
  };
  for (const auto& c : cases) {
    char file[300] = "junk";
    char section[300] = "junk";
    SplitVORLConfigString(c.text, file, c.fileSize, section, c.sectionSize);
    EXPECT_STREQ(file, c.file) << (c.text ? c.text : "(null)");
    EXPECT_STREQ(section, c.section) << (c.text ? c.text : "(null)");
  }
}

TEST(Versions, FixedValues) {
  EXPECT_EQ(VORLVersionMajor(), 4);
  EXPECT_EQ(VORLVersionMinor(), 2);
  EXPECT_EQ(VORLVersionBuild(), 9);
  EXPECT_EQ(VORLVersionInteger(), 40209);
  EXPECT_STREQ(VORLVersionString(), "VORL Version 4.2 Build 9");
  EXPECT_EQ(VORLVersionProtocol(), 40201);
}

} // namespace
