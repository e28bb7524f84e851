#include "fw/test/fwtest.h"
#include "fw/ui/app.h"
#include "fw/ui/commondlg.h"
#include "fw/ui/dragdrop.h"
#include "fw/ui/spreadsheet.h"
#include "fw/ui/text.h"

#include <QApplication>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST(CommonDialogs, FilterConversionAndScriptedAnswers)
{
    struct {
        const char* in;
        const char* out;
    } cases[] = {
        { "Text files (*.txt)|*.txt|All files (*.*)|*.*||", "Text files (*.txt);;All files (*.*)" },
        { "Workspace|*.wks;*.kvs||", "Workspace (*.wks *.kvs)" },
        { "Any|*.*|", "Any (*)" },
        { "", "" },
        { "Dangling|", "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(fw::qtFilterOf(c.in), c.out) << c.in;

    fw::App app;
    fw::test::Script script;
    script.answerFile(std::string("/tmp/export"));
    script.answerFile(std::nullopt);
    script.answerColor(0x00123456u);
    script.answerFont(fw::FontChoice { "DejaVu Sans", 11, true, false });
    fw::FileDialogRequest save { false, "orders", "Export", "CSV (*.csv)|*.csv||", "csv" };
    EXPECT_EQ(fw::getFileName(save), std::optional<std::string>("/tmp/export.csv"));
    EXPECT_EQ(fw::getFileName(save), std::nullopt);
    EXPECT_EQ(script.fileRequests().size(), 2u);
    EXPECT_EQ(fw::chooseColor(0), std::optional<uint32_t>(0x00123456u));
    EXPECT_EQ(fw::chooseFont({})->pointSize, 11);
    EXPECT_TRUE(script.allAnswersUsed());
}

TEST(CommonDialogs, WaitCursorsNest)
{
    EXPECT_EQ(fw::WaitCursor::depth(), 0);
    {
        fw::WaitCursor a;
        {
            fw::WaitCursor b;
            EXPECT_EQ(fw::WaitCursor::depth(), 2);
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
    }
    EXPECT_EQ(fw::WaitCursor::depth(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(DragDrop, PrivatePayloadTravelsThroughMimeDataAndClipboard)
{
    std::vector<uint8_t> payload = { 0x01, 0x00, 0xFF, 0xFF, 0x00, 0x00 };
    auto mime = fw::makeRowMimeData(payload, "OTP\t100");
    ASSERT_TRUE(mime);
    EXPECT_TRUE(mime->hasFormat(fw::rowMimeType()));
    EXPECT_EQ(mime->text(), QStringLiteral("OTP\t100"));
    EXPECT_EQ(fw::rowPayload(mime.get()), payload);

    QMimeData foreign;
    foreign.setText(QStringLiteral("just text"));
    EXPECT_FALSE(fw::rowPayload(&foreign).has_value());
    EXPECT_FALSE(fw::rowPayload(nullptr).has_value());
    EXPECT_EQ(fw::makeRowMimeData(std::vector<uint8_t>(fw::kMaxRowPayload + 1), ""), nullptr);

    ASSERT_TRUE(fw::copyRowsToClipboard(payload, "OTP"));
    EXPECT_EQ(fw::rowsFromClipboard(), payload);
}

TEST(Text, Windows1250RoundTripsThroughQt)
{
    std::string cp = "\xC1rfolyam \xF5r\xFClt"; // "Árfolyam őrült" in Windows-1250
    QString q = fw::toQt(cp);
    EXPECT_EQ(q, QString::fromUtf8("Árfolyam őrült"));
    EXPECT_EQ(fw::fromQt(q), cp);
    EXPECT_EQ(fw::fromQt(QString::fromUtf8("日本")), "??");
}

TEST(SpreadsheetLink, WritesAWorkbookAndReplacesItOnEverySync)
{
    char tmpl[] = "/tmp/fw_xlsx_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    std::string path = std::string(tmpl) + "/link.xlsx";
    auto link = fw::makeXlsxLink();
    EXPECT_FALSE(link->sync()) << "nothing open";
    EXPECT_FALSE(link->open(path, std::string(40, 'x'))) << "over-long sheet names are refused";
    ASSERT_TRUE(link->open(path, "\xC9rt\xE9kpap\xEDrok")); // "Értékpapírok"
    link->setTitles({ "Security", "Last" });
    link->setRow(0, { { "OTP", std::nullopt }, { "", 12345.5 } });
    link->setRow(2, { { "MOL", std::nullopt } });
    EXPECT_EQ(link->rowCount(), 3u);
    ASSERT_TRUE(link->sync()) << link->lastError();
    auto sizeOf = [&] {
        std::ifstream in(path, std::ios::binary | std::ios::ate);
        return static_cast<long>(in.tellg());
    };
    long first = sizeOf();
    EXPECT_GT(first, 1000);
    std::ifstream in(path, std::ios::binary);
    char magic[4] = {};
    in.read(magic, 4);
    EXPECT_EQ(std::string(magic, 4), std::string("PK\x03\x04", 4));
    for (size_t r = 3; r < 500; ++r)
        link->setRow(r, { { "ROW" + std::to_string(r), double(r) } });
    ASSERT_TRUE(link->sync());
    EXPECT_GT(sizeOf(), first);
    EXPECT_FALSE(std::ifstream(path + ".tmp").good());

    auto bad = fw::makeXlsxLink();
    ASSERT_TRUE(bad->open(std::string(tmpl) + "/no/such/folder/x.xlsx", "S"));
    EXPECT_FALSE(bad->sync());
    EXPECT_FALSE(bad->lastError().empty());
    std::remove(path.c_str());
    ::rmdir(tmpl);
}

} // namespace
