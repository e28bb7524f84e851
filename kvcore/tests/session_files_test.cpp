// The settings file: its bytes against a fixture written by hand, the refusals of a header
// that does not fit, damaged files that change nothing, and saves that leave the previous
// file alone when they fail.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fw/core/archive.h"
#include "fw/core/strings.h"
#include "kvcore/session/option_programs.h"
#include "kvcore/session/session_files.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes readAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void writeAll(const fs::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void le16(Bytes& b, std::uint16_t v)
{
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

void le32(Bytes& b, std::uint32_t v)
{
    le16(b, static_cast<std::uint16_t>(v));
    le16(b, static_cast<std::uint16_t>(v >> 16));
}

Bytes gridBytes(const fw::GridProperties& grid)
{
    fw::Archive ar;
    fw::storeGridProperties(ar, grid);
    return ar.bytes();
}

// Two tables; table 1 with a popup, colours and one column set.
KvSettingsRecord sampleRecord()
{
    KvSettingsRecord r;
    r.shortcuts = { { fw::AccelVirtKey | fw::AccelControl, fw::vk::F1 + 4, 35968 } };
    r.grid.horizontalLines = false;
    r.options.confirm = 1;
    r.options.ts = 2;
    r.layouts.resize(2);
    r.layouts[1].popup = { 2, 0 };
    r.layouts[1].colours = { 0x00FF00 };
    r.layouts[1].columnSets[0] = { 3, 1 };
    r.workspaceFile = "/s/ANNA.wks";
    return r;
}

class SessionFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("kv_session_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, ec);
        fs::remove_all(dir, ec);
    }
    std::string file(const char* name) const { return (dir / name).string(); }
    fs::path dir;
};

TEST(SessionFileNames, FolderAndFiles)
{
    EXPECT_EQ(KvSettingsFolder("/home/anna"), "/home/anna/");
    EXPECT_EQ(KvSettingsFolder("/s/"), "/s/");
    EXPECT_EQ(KvSettingsFolder("/"), "/");
    EXPECT_EQ(KvSettingsFolder(""), "");
    EXPECT_EQ(KvDefaultSettingsFile("/s/", "ANNA"), "/s/ANNA.kvs");
    EXPECT_EQ(KvDefaultWorkspaceFile("/s/", "ANNA"), "/s/ANNA.wks");
    EXPECT_EQ(KvWorkspaceSlotFile("/s/", "ANNA", 3), "/s/ANNA3.wks");
}

TEST_F(SessionFilesTest, SettingsBytesMatchTheHandWrittenFixture)
{
    const KvSettingsRecord record = sampleRecord();
    ASSERT_EQ(KvSaveSettingsFile(file("ANNA.kvs"), kSessionClassVersion, "ANNA", record), 0);

    Bytes want;
    le16(want, 1231);
    want.insert(want.end(), { 4, 'A', 'N', 'N', 'A' });
    le16(want, 1); // shortcut count, then flags, padding, key, command
    want.insert(want.end(), { 0x09, 0 });
    le16(want, 0x74);
    le16(want, 35968);
    const Bytes grid = gridBytes(record.grid);
    want.insert(want.end(), grid.begin(), grid.end());
    le32(want, 0); // colour method
    for (std::uint16_t flag : { 1, 1, 1, 1, 1, 1, 0 }) // mouse .. restore positions
        le16(want, flag);
    le32(want, 2); // iTS
    le32(want, 10); // iHighSpeedDelay
    le16(want, 0); // ticker
    le32(want, 1); // order colour
    le32(want, 0xF06464);
    le32(want, 0x6464DC);
    for (int i = 0; i < kCustomColourCount; ++i)
        le32(want, 0xFFFFFF);
    // Table 0: empty popup and colours, default colours, nine empty sets.
    le16(want, 0);
    le16(want, 0);
    le32(want, 0xFFFFFF);
    le32(want, 0);
    for (int i = 0; i < kColumnSetCount; ++i)
        le16(want, 0);
    // Table 1.
    le16(want, 2);
    le16(want, 2);
    le16(want, 0);
    le16(want, 1);
    le32(want, 0x00FF00);
    le32(want, 0xFFFFFF);
    le32(want, 0);
    le16(want, 2);
    le16(want, 3);
    le16(want, 1);
    for (int i = 1; i < kColumnSetCount; ++i)
        le16(want, 0);
    const std::string ws = "/s/ANNA.wks";
    want.push_back(static_cast<std::uint8_t>(ws.size()));
    want.insert(want.end(), ws.begin(), ws.end());

    EXPECT_EQ(readAll(file("ANNA.kvs")), want);

    KvSettingsRecord back;
    back.layouts.resize(2);
    ASSERT_EQ(KvLoadSettingsFile(file("ANNA.kvs"), kSessionClassVersion, "ANNA", back), 0);
    EXPECT_EQ(back, record);
}

TEST_F(SessionFilesTest, AutosaveOffStoresNoWorkspaceAndKeepsTheCurrentOne)
{
    KvSettingsRecord record = sampleRecord();
    record.options.autosave = 0;
    ASSERT_EQ(KvSaveSettingsFile(file("ANNA.kvs"), kSessionClassVersion, "ANNA", record), 0);
    const Bytes bytes = readAll(file("ANNA.kvs"));
    EXPECT_EQ(bytes.back(), 0); // empty string record

    KvSettingsRecord session;
    session.layouts.resize(2);
    session.workspaceFile = "/s/ANNA2.wks";
    ASSERT_EQ(KvLoadSettingsFile(file("ANNA.kvs"), kSessionClassVersion, "ANNA", session), 0);
    EXPECT_EQ(session.workspaceFile, "/s/ANNA2.wks");
    EXPECT_EQ(session.options.autosave, 0);
}

TEST_F(SessionFilesTest, RefusedOrDamagedFilesChangeNothing)
{
    ASSERT_EQ(KvSaveSettingsFile(file("ANNA.kvs"), kSessionClassVersion, "PETER", sampleRecord()), 0);
    const Bytes good = readAll(file("ANNA.kvs"));
    Bytes otherVersion = good;
    otherVersion[0] ^= 1;

    struct Case {
        const char* what;
        Bytes bytes;
        const char* user;
        int expected;
    };
    const Case cases[] = {
        { "another user", good, "ANNA", IDS_SETTINGS_OTHER_USER },
        { "user differs in case", good, "peter", IDS_SETTINGS_OTHER_USER },
        { "another version", otherVersion, "PETER", IDS_SETTINGS_RESTORE_FAILED },
        { "header cut", Bytes(good.begin(), good.begin() + 3), "PETER", IDS_SETTINGS_RESTORE_FAILED },
        { "record cut", Bytes(good.begin(), good.end() - 4), "PETER", IDS_SETTINGS_RESTORE_FAILED },
        { "empty file", Bytes {}, "PETER", IDS_SETTINGS_RESTORE_FAILED },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeAll(file("x.kvs"), c.bytes);
        KvSettingsRecord session;
        session.layouts.resize(2);
        const KvSettingsRecord before = session;
        EXPECT_EQ(KvLoadSettingsFile(file("x.kvs"), kSessionClassVersion, c.user, session), c.expected);
        EXPECT_EQ(session, before);
    }

    // A count that claims more than the file holds is refused before anything is kept.
    Bytes forged = good;
    const std::size_t countAt = 2 + 6; // after the version word and "PETER"
    forged[countAt] = 0xFF;
    forged[countAt + 1] = 0xFF;
    forged.insert(forged.begin() + static_cast<long>(countAt) + 2, { 0xFF, 0xFF, 0xFF, 0x7F });
    writeAll(file("forged.kvs"), forged);
    KvSettingsRecord session;
    session.layouts.resize(2);
    EXPECT_EQ(KvLoadSettingsFile(file("forged.kvs"), kSessionClassVersion, "PETER", session),
        IDS_SETTINGS_RESTORE_FAILED);
    EXPECT_TRUE(session.shortcuts.empty());

    EXPECT_EQ(KvLoadSettingsFile(file("none.kvs"), kSessionClassVersion, "PETER", session), kSettingsFileMissing);
}

TEST_F(SessionFilesTest, FailedSaveLeavesThePreviousFile)
{
    ASSERT_EQ(KvSaveSettingsFile(file("ANNA.kvs"), kSessionClassVersion, "ANNA", sampleRecord()), 0);
    const Bytes before = readAll(file("ANNA.kvs"));
    if (::geteuid() != 0) {
        // No temporary file can be made in a read-only folder: the save fails and the old file stays.
        fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
        KvSettingsRecord changed = sampleRecord();
        changed.options.ts = 9;
        EXPECT_EQ(KvSaveSettingsFile(file("ANNA.kvs"), kSessionClassVersion, "ANNA", changed),
            IDS_SETTINGS_SAVE_FAILED);
        fs::permissions(dir, fs::perms::owner_all);
        EXPECT_EQ(readAll(file("ANNA.kvs")), before);
    }
    // A record that cannot be written (a layout count over the archive's limits is not
    // possible, so a path that is a folder stands for a failing rename) also keeps it.
    fs::create_directories(dir / "busy.kvs" / "x");
    EXPECT_EQ(KvSaveSettingsFile(file("busy.kvs"), kSessionClassVersion, "ANNA", sampleRecord()),
        IDS_SETTINGS_SAVE_FAILED);
    EXPECT_TRUE(fs::is_directory(dir / "busy.kvs" / "x"));
    for (const auto& entry : fs::directory_iterator(dir))
        EXPECT_TRUE(entry.path().filename() == "ANNA.kvs" || entry.path().filename() == "busy.kvs")
            << "left behind: " << entry.path();
}

TEST_F(SessionFilesTest, WorkspaceLayoutsRoundTrip)
{
    std::vector<KvLayoutEntry> layouts(2);
    layouts[1].open = 1;
    layouts[1].fixed = 2;
    layouts[1].sortKeys = { 3 | (1u << 16) };
    layouts[1].zoom = 120;
    layouts[1].selected = { 0, 2 };
    layouts[1].widths = { 40, 80 };
    layouts[1].placement.normalPosition = { 10, 20, 300, 400 };
    layouts[1].spare = 7;
    fw::Archive out;
    WriteWorkspaceLayouts(out, layouts);
    // Table 0: word open, word fixed, empty sort keys, zoom 100, fit 0, two empty arrays,
    // 44 placement bytes, spare word.
    EXPECT_EQ(out.bytes()[6], 100);
    fw::Archive in(out.bytes());
    std::vector<KvLayoutEntry> back(2);
    ReadWorkspaceLayouts(in, back);
    EXPECT_EQ(back, layouts);
    EXPECT_EQ(in.remaining(), 0u);
}

TEST(SessionStrings, BothLanguages)
{
    for (int id : std::initializer_list<int> { IDS_SAVER_NOT_INSTALLED, IDS_SETTINGS_OTHER_USER, IDS_SETTINGS_SAVE_FAILED, IDS_WORKSPACE_SAVE_FAILED,
             IDS_SETTINGS_RESTORE_FAILED, IDS_WORKSPACE_RESTORE_FAILED }) {
        EXPECT_FALSE(fw::loadString(static_cast<std::uint32_t>(id)).empty()) << id;
    }
}

} // namespace
