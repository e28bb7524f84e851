// The Indices window in the application: the securities marked as indices
// when it opens, their prices as the security table changes them.
#include "../list_windows/list_fixture.h"

#include "fw/ui/mainframe.h"
#include "kv32/lists/indices_list.h"
#include "kv32/tables/table_updates.h"
#include "kv32/windows/indices_view.h"

namespace kv32test {
namespace {

class Indices : public ListWindows {
protected:
    // A security of the fixture's board; an index when the host marks it so.
    static void AddSecurity(int key, const char* shortName, bool index)
    {
        SecuritySpec spec;
        spec.key = key;
        spec.shortName = shortName;
        spec.instrument = "INSTR000000" + std::to_string(key);
        std::string record = SecuritySnapshot(spec);
        Place(record, 367, index ? "Y" : "N");
        SecurityTable().DecodeSnapshot(record);
    }
    static std::vector<std::string> Names(const CIndicesDoc& doc)
    {
        std::vector<std::string> names;
        for (int row = 0; row < doc.GetRowCount(); ++row)
            names.push_back(doc.GetRowRecord(row)->szShortName);
        return names;
    }
    CIndicesDoc* OpenDoc()
    {
        auto* view = Open<CIndicesView>(23);
        return view == nullptr ? nullptr : dynamic_cast<CIndicesDoc*>(view->GetDocument());
    }
};

TEST_F(Indices, TheIndicesAreTakenOnceWhenTheWindowOpens)
{
    AddSecurity(2, "BUX", true);
    AddSecurity(3, "BETA", false);
    AddSecurity(4, "CETOP", true);
    CIndicesDoc* doc = OpenDoc();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(Names(*doc), (std::vector<std::string> { "BUX", "CETOP" })) << "table order, indices only";
    EXPECT_EQ(doc->title(), "Indices - 2");

    AddSecurity(5, "RAX", true);
    UpdateLinkedDocuments();
    EXPECT_EQ(Names(*doc), (std::vector<std::string> { "BUX", "CETOP" })) << "a later index waits for a new window";
    CIndicesDoc* again = OpenDoc();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(Names(*again), (std::vector<std::string> { "BUX", "CETOP", "RAX" }));
}

TEST_F(Indices, AChangedIndexShowsItsNewValue)
{
    AddSecurity(2, "BUX", true);
    CIndicesDoc* doc = OpenDoc();
    ASSERT_NE(doc, nullptr);
    ASSERT_EQ(doc->GetRowCount(), 1);
    const int host = doc->HostIndexOfRow(0);
    SecurityTable().GetRec(host)->dLast = CDouble(45123.75, 2);
    fw::RowHint hint(SecurityTable().GetCount());
    hint.AddRow(host);
    UpdateLinkedDocuments(&hint);
    fw::CellStyle cell;
    ASSERT_TRUE(doc->GetStyleRowCol(1, 3, cell));
    EXPECT_EQ(doc->GetColumnTitle(3), "Value");
    EXPECT_NE(cell.value.find("45"), std::string::npos) << cell.value;
    ASSERT_TRUE(doc->GetStyleRowCol(1, 1, cell));
    EXPECT_EQ(cell.value, "BUX");
    EXPECT_EQ(doc->GetRowCount(), 1);
}

TEST_F(Indices, WithoutAMenuOfItsOwnTheWindowShowsTheGridMenu)
{
    auto* view = Open<CIndicesView>(23);
    ASSERT_NE(view, nullptr);
    std::vector<std::size_t> shown;
    fw::MainFrame::setPopupHook([&](const fw::Menu& menu) {
        shown.push_back(menu.itemCount());
        return 0u;
    });
    view->DoPopUpMenu(QPoint(), 0);
    fw::MainFrame::setPopupHook({});
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_GT(shown[0], 0u);
}

TEST_F(Indices, PicturesInBothLanguages)
{
    const char* dirName = std::getenv("KV32_SHOT_DIR");
    AddSecurity(2, "BUX", true);
    AddSecurity(3, "CETOP", true);
    const double values[][6] = { { 45123.75, 44980.10, 44980.10, 143.65, 45200.00, 44870.25 },
        { 2312.40, 2320.05, 2320.05, -7.65, 2330.00, 2301.10 } };
    for (int i = 0; i < 2; ++i) {
        SecurityRec& rec = *SecurityTable().GetRec(SecurityTable().GetCount() - 2 + i);
        rec.dLast = CDouble(values[i][0], 2);
        rec.dClose = CDouble(values[i][1], 2);
        rec.dPrevPrice = CDouble(values[i][2], 2);
        rec.dChangeToday = CDouble(values[i][3], 2);
        rec.dHigh = CDouble(values[i][4], 2);
        rec.dLow = CDouble(values[i][5], 2);
    }
    for (const auto& [language, suffix] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        auto* view = Open<CIndicesView>(23);
        ASSERT_NE(view, nullptr);
        view->OnGridSizeToContent();
        view->parentFrame()->resize(900, 160);
        const QImage image = view->parentFrame()->grab().toImage();
        EXPECT_FALSE(image.isNull());
        if (dirName != nullptr)
            image.save(QDir(dirName).filePath(QStringLiteral("list-indices-%1.png").arg(suffix)));
        const bool english = language == fw::Language::English;
        EXPECT_EQ(view->GetDocument()->GetColumnTitle(2), english ? "Board" : "T\xE1" "bla");
        app->CloseAllDocuments();
    }
}

} // namespace
} // namespace kv32test
