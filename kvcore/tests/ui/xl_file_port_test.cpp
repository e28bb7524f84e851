// The list window's spreadsheet link with the real workbook file: the table's texts end up in the
// .xlsx, and the file is rewritten at most once a second yet always catches up.
#include "fw/core/codepage.h"
#include "fw/test/fwtest.h"
#include "fw/tests/ui/command_output.h"
#include "fw/ui/app.h"
#include "kvcore/gridview/xl_file_port.h"
#include "support/sample_table_doc.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using kvcore::CXLView;
using kvcore::XLFilePort;

namespace {

// The shared strings of the workbook (the cells' texts), or nothing.
std::string WorkbookTexts(const std::string& path)
{
    return fwtest::commandOutput("unzip -p '" + path + "' xl/sharedStrings.xml 2>/dev/null").value_or("");
}

TEST(XLFilePort, TheWorkbookFollowsTheTableAtMostOnceASecond)
{
    fw::App app;
    fw::test::ManualClock clock;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    kvtest::SampleTableDoc doc;
    doc.FillSecurities();
    doc.setTitle("Securities: all");
    doc.UpdateDocument(0, nullptr);

    auto owned = std::make_unique<XLFilePort>(dir.path().toStdString() + "/", "kvtest");
    XLFilePort* port = owned.get();
    {
        CXLView link(std::move(owned));
        link.setDocument(&doc);
        link.onInitialUpdate();
        ASSERT_TRUE(link.IsLinked());
        const std::string path = port->Path();
        EXPECT_EQ(std::filesystem::path(path).filename(), "kvtest_Securities  all.xlsx");
        EXPECT_EQ(port->Syncs(), 2) << "opened, then the table at once";
        const std::string first = WorkbookTexts(path);
        EXPECT_NE(first.find("Security"), std::string::npos);
        EXPECT_NE(first.find(fw::cp1250ToUtf8("ALFAK\xD5")), std::string::npos);

        // Within the second: kept in memory, written when the second is over.
        doc.rows[1].name[0] = 'Z';
        kvcore::CTHint changed;
        changed.AddRow(1);
        doc.UpdateDocument(0, &changed);
        EXPECT_EQ(port->Syncs(), 2);
        clock.advance(999);
        EXPECT_EQ(port->Syncs(), 2);
        clock.advance(1);
        fw::test::processEvents();
        EXPECT_EQ(port->Syncs(), 3);
        EXPECT_NE(WorkbookTexts(path).find(fw::cp1250ToUtf8("Z\xC1RKA")), std::string::npos);

        // A change just before the link ends is still written.
        doc.rows[2].name[0] = 'Q';
        changed.Clear();
        changed.AddRow(2);
        doc.UpdateDocument(0, &changed);
        link.setDocument(nullptr);
        EXPECT_EQ(port->Syncs(), 3);
    }
    bool found = false;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path().toStdString()))
        found |= WorkbookTexts(entry.path().string()).find("QSILLAG") != std::string::npos;
    EXPECT_TRUE(found);
}

TEST(XLFilePort, AFolderThatTakesNoWorkbookMakesNoLink)
{
    fw::App app;
    kvtest::SampleTableDoc doc;
    doc.FillSecurities();
    doc.setTitle("Securities");
    CXLView link(std::make_unique<XLFilePort>("/nonexistent-folder/", "kvtest"));
    link.setDocument(&doc);
    int shown = 0;
    fw::setMessageBoxHook([&](const std::string&, std::uint32_t) {
        ++shown;
        return fw::IDOK;
    });
    link.onInitialUpdate();
    fw::setMessageBoxHook(nullptr);
    EXPECT_FALSE(link.IsLinked());
    EXPECT_EQ(shown, 1);
    link.setDocument(nullptr);
}

} // namespace
