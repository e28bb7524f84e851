// pigauge's server configuration: what it accepts, what it refuses and the
// configuration message 258 it then hands to clients.
#include <gtest/gtest.h>

#include <cstring>

#include "blocks.h"
#include "harness.h"
#include "plugin_common.h"

namespace {

using plugtest::Host;
using plugtest::HostInfo;
using plugtest::Packet;
using plugtest::Plugin;
using plugtest::ScratchDir;

// A server configuration with one summary section and the given range
// sections (MsgTypes each); extra lines go into the plug-in's section.
std::string Config(const ScratchDir& dir, int key, const std::vector<std::string>& ranges,
    const std::string& extra = "SendInterval=3\n", const std::string& summaryExtra = "")
{
    std::string names;
    std::string sections;
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        const std::string name = "R" + std::to_string(i);
        names += (i != 0 ? "," : "") + name;
        sections += "[" + name + "]\nFileName=" + dir.path() + "/" + name
            + ".txt\nFlushInterval=1\nMsgTypes=" + ranges[i] + "\n";
    }
    return "[pigauge]\nshmkey=" + std::to_string(key) + "\n" + extra
        + "SummarySection=Sum\nPerformanceSections=" + names + "\n[Sum]\nFileName=" + dir.path()
        + "/sum.txt\n" + summaryExtra + sections;
}

class PigaugeConfigTest : public ::testing::Test {
protected:
    // Initialises a server from `text`; its result and what it wrote on stderr.
    int start(const std::string& text, std::string* errors = nullptr)
    {
        const std::string file = dir_.write("router.ini", text);
        HostInfo info(file, "pigauge", VORL_ROLE_SERVER, 8, 0);
        testing::internal::CaptureStderr();
        const int rc = server_.init(info.get(), host_);
        const std::string err = testing::internal::GetCapturedStderr();
        if (errors != nullptr)
            *errors = err;
        return rc;
    }
    // The configuration the server hands out for a request.
    std::vector<uint8_t> config()
    {
        Packet ask { { plugtest::Message { 257, { 0 } } } };
        auto rec = plugtest::PluginPacket(host_, ask, VORL_PLUGIN_ROUND_FIRST);
        EXPECT_EQ(server_.pluginPacket(rec), 0);
        EXPECT_EQ(host_.sent.size(), 1u);
        return host_.sent.empty() ? std::vector<uint8_t> {} : host_.sent.back().data;
    }
    plugtest::NamedScope named_;
    ScratchDir dir_;
    Host host_;
    Plugin server_ { "pigauge", "PIGAUGEInitialise" };
};

TEST_F(PigaugeConfigTest, ConfigurationMessageCarriesTheSortedSets)
{
    ASSERT_EQ(start(Config(dir_, plugtest::NamedScope::Key(1), { "300, 100-199", "200-250" })), 0);
    const std::vector<uint8_t> bytes = config();
    ASSERT_EQ(bytes.size(), 612u);
    std::vector<uint8_t> expected(612, 0);
    const uint32_t words[] = { 3, 3, 100, 199, 0, 200, 250, 1, 300, 300, 0 };
    for (std::size_t i = 0; i < std::size(words); ++i)
        plugins::putBE32(expected.data() + 4 * i, words[i]);
    plugins::putBE32(expected.data() + 608, 2);
    EXPECT_EQ(bytes, expected);
}

TEST_F(PigaugeConfigTest, RefusesBadConfigurations)
{
    std::vector<std::string> eleven(11, "1");
    for (int i = 0; i < 11; ++i)
        eleven[static_cast<std::size_t>(i)] = std::to_string(i * 10);
    std::string fiftyOne;
    for (int i = 0; i < 51; ++i)
        fiftyOne += (i != 0 ? "," : "") + std::to_string(i * 2);
    const struct {
        const char* name;
        std::vector<std::string> ranges;
        std::string extra;
        std::string summaryExtra;
        int code;
        const char* line;
    } cases[] = {
        { "overlap", { "100-199", "199-250" }, "SendInterval=3\n", "", -1013,
            "Overlapping msgtypes 100-199 and 199-250" },
        { "reversed", { "50-40" }, "SendInterval=3\n", "", -1012, "To value 40 less than from 50" },
        { "eleventh section", eleven, "SendInterval=3\n", "", -1014, "Max files 10 exceeded" },
        { "51st set", { fiftyOne }, "SendInterval=3\n", "", -1015, "Max message sets 50 exceeded" },
        { "flush 0", { "1" }, "SendInterval=3\n", "FlushInterval=0\n", -1027,
            "summary section FlushInterval" },
        { "no interval", { "1" }, "", "", -1008, "Unable to read SendInterval" },
        { "negative interval", { "1" }, "SendInterval=-4\n", "", -1008, "Unable to read SendInterval" },
        { "zero interval", { "1" }, "SendInterval=0\n", "", -1008, "Unable to read SendInterval" },
        { "not a type", { "1,abc" }, "SendInterval=3\n", "", -1011, "Range abc is not a message type" },
        { "type too large", { "70000" }, "SendInterval=3\n", "", -1011, "Range 70000 is not a message type" },
        { "no types", { " , " }, "SendInterval=3\n", "", -1011, "Unable to read MsgTypes for R0" },
    };
    int n = 10;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Host host;
        Plugin server("pigauge", "PIGAUGEInitialise");
        const std::string file = dir_.write(
            "case.ini", Config(dir_, plugtest::NamedScope::Key(n += 2), c.ranges, c.extra, c.summaryExtra));
        HostInfo info(file, "pigauge", VORL_ROLE_SERVER, 8, 0);
        testing::internal::CaptureStderr();
        EXPECT_EQ(server.init(info.get(), host), VORL_PLUGIN_FAIL);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find(c.line), std::string::npos) << err;
        EXPECT_NE(
            err.find("PIGAUGEInitialise: Initialise failed " + std::to_string(c.code)), std::string::npos)
            << err;
        EXPECT_EQ(server.context, nullptr);
    }
}

TEST_F(PigaugeConfigTest, AdjacentSetsAndTenSectionsAreAccepted)
{
    std::vector<std::string> ten;
    for (int i = 0; i < 10; ++i)
        ten.push_back(std::to_string(i * 10) + "-" + std::to_string(i * 10 + 9));
    ten[0] = "0-9,100-199";
    ten[1] = "200-250";
    ASSERT_EQ(start(Config(dir_, plugtest::NamedScope::Key(3), ten)), 0);
    EXPECT_EQ(plugins::getBE32(config().data() + 608), 10u);
}

TEST_F(PigaugeConfigTest, ShmkeyFormsAndVersion)
{
    std::string err;
    EXPECT_EQ(start("[pigauge]\nshmkey=\nSendInterval=1\n", &err), VORL_PLUGIN_FAIL);
    EXPECT_NE(err.find("GetShmkey: Unable to read shmkey in config file\n"), std::string::npos) << err;
    EXPECT_NE(err.find("Initialise failed -1002"), std::string::npos) << err;

    Plugin other("pigauge", "PIGAUGEInitialise");
    HostInfo old("x.ini", "pigauge", VORL_ROLE_CLIENT, 1, 1, 258);
    testing::internal::CaptureStderr();
    EXPECT_EQ(other.init(old.get(), host_), VORL_PLUGIN_FAIL);
    EXPECT_EQ(
        testing::internal::GetCapturedStderr(), "PIGAUGEInitialise: Version mismatch vorl 258 plugin 259\n");
    HostInfo role("x.ini", "pigauge", 4);
    testing::internal::CaptureStderr();
    EXPECT_EQ(other.init(role.get(), host_), VORL_PLUGIN_FAIL);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "PIGAUGEInitialise: Invalid vorlType 4\n");
}

TEST_F(PigaugeConfigTest, AttachedServerProcessGetsAnEmptyTable)
{
    HostInfo info("none.ini", "pigauge", VORL_ROLE_SERVER, 8, 1);
    ASSERT_EQ(server_.init(info.get(), host_), 0);
    EXPECT_EQ(server_.context, nullptr);
    const PluginFunctions empty {};
    EXPECT_EQ(std::memcmp(server_.table, &empty, sizeof empty), 0);
}

} // namespace
