// The Order Counting and Order Counting Alerts windows offscreen in the
// application: the counting records that pass the filter, coloured by their
// alerted flag, with the count in the title (none when nothing matches); the
// limits of the current row and the alerts window from its menu; the
// definitions not removed; and pictures in both languages (written to
// KV32_SHOT_DIR when it is set).
#include <cstring>

#include "kv32/dialogs/alerts/alert_openers.h"
#include "kv32/filters/supervision_filters.h"
#include "kv32/lists/ord_count_list.h"
#include "kv32/res/ord_count_window_strings.h"
#include "kv32/windows/ord_count_view.h"
#include "list_fixture.h"

namespace {

using namespace kv32test;

class OrdCountWindows : public ListWindows {
protected:
    void TearDown() override
    {
        KvSetCommandDialog(ID_ORDCOUNT_ALERTS, nullptr);
        kvcore::CTGXDoc::m_iColorMethod = 0;
        ListWindows::TearDown();
    }
    static void Counting(const char* board, const char* firm, int normal, int mm, double average, bool alerting)
    {
        COrdCountRec rec {};
        rec.nIndex = static_cast<uint32_t>(OrdCountTable().GetCount());
        rec.nAlert = -1;
        std::snprintf(rec.szBoard, sizeof rec.szBoard, "%s", board);
        std::snprintf(rec.szFirm, sizeof rec.szFirm, "%s", firm);
        rec.anOrders[0] = normal;
        rec.anOrders[1] = mm;
        rec.anPeakPerSecond[0] = normal / 10;
        rec.adAverageSpeed[0] = CDouble(average, 1);
        rec.adAverageSpeed[1] = CDouble(0, 1);
        rec.anCountAlerted[0] = alerting ? 1 : 0;
        rec.anSpeedAlerts[0] = alerting ? 2 : 0;
        rec.bAlerting = alerting ? 1 : 0;
        OrdCountTable().AddRec(rec);
    }
    static void Limits(const char* board, const char* firm, uint32_t normal, uint32_t speed, bool removed = false)
    {
        COrdCountAlertRec rec {};
        rec.nIndex = static_cast<uint32_t>(OrdCountAlertTable().GetCount());
        std::snprintf(rec.szBoard, sizeof rec.szBoard, "%s", board);
        std::snprintf(rec.szFirm, sizeof rec.szFirm, "%s", firm);
        rec.nNormalLimit = normal;
        rec.nMMLimit = normal / 2;
        rec.nNormalSpeed = speed;
        rec.nMMSpeed = speed / 2;
        rec.bDeleted = removed ? 1 : 0;
        OrdCountAlertTable().AddRec(rec);
    }
    static fw::CellStyle Style(CTDoc& doc, int row, int col)
    {
        fw::CellStyle style;
        doc.GetStyleRowCol(row + 1, col, style);
        return style;
    }
};

TEST_F(OrdCountWindows, CountingRowsFollowTheFilterAndTakeTheAlertedColour)
{
    OrdCountTable().m_aColors = { 0x00FF00, 0x0000FF };
    Counting("BRD1", "FIRMA", 120, 4, 1.5, false);
    Counting("BRD1", "FIRMB", 900, 0, 12.0, true);
    Counting("BRD2", "FIRMA", 7, 1, 0.1, false);
    auto* view = Open<COrdCountView>(40);
    ASSERT_NE(view, nullptr);
    auto* doc = dynamic_cast<COrdCountDoc*>(view->GetDocument());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->title(), "Order counting - 3");
    EXPECT_EQ(Style(*doc, 1, 1).value, "BRD1");
    EXPECT_EQ(Style(*doc, 1, 2).value, "FIRMB");
    EXPECT_EQ(Style(*doc, 1, 3).value, "900");
    EXPECT_EQ(Style(*doc, 1, 3).align, fw::Align::Right);
    EXPECT_EQ(Style(*doc, 1, 9).value, CDouble(12.0, 1).Format(1, 0));
    EXPECT_EQ(Style(*doc, 1, 11).value, "1");
    EXPECT_EQ(Style(*doc, 1, 13).value, "2");
    // The alerted row in the alert colour, the others in the quiet one; as
    // background or as text by the colour method.
    for (int method : { 0, 1 }) {
        kvcore::CTGXDoc::m_iColorMethod = method;
        for (int row = 0; row < 3; ++row) {
            const fw::CellStyle style = Style(*doc, row, 1);
            EXPECT_EQ(method == 0 ? style.back : style.text, row == 1 ? 0x0000FFu : 0x00FF00u) << method << row;
        }
    }
    kvcore::CTGXDoc::m_iColorMethod = 0;

    // One board, then a firm nobody counts: no count in the title.
    auto& filter = dynamic_cast<CCriteriaOf<COrdCountFilter, COrdCountRec>&>(doc->Filter()).Get();
    filter.m_bNoFiltering = 0;
    filter.m_bAllBoards = 1;
    filter.m_bAllFirms = 0;
    filter.m_aFirms = { "FIRMA" };
    doc->UpdateDocument(0, nullptr);
    ASSERT_EQ(doc->GetRowCount(), 2);
    EXPECT_STREQ(doc->GetRowRecord(1)->szBoard, "BRD2");
    EXPECT_NE(doc->title().find("FIRMA - 2"), std::string::npos) << doc->title();
    filter.m_aFirms = { "NOBODY" };
    doc->UpdateDocument(0, nullptr);
    EXPECT_EQ(doc->GetRowCount(), 0);
    EXPECT_EQ(doc->title().find(" - "), std::string::npos) << doc->title();
    EXPECT_NE(doc->title().find("NOBODY"), std::string::npos) << doc->title();

    // A new record that passes follows the table's hint.
    filter.m_aFirms = { "FIRMC" };
    doc->UpdateDocument(0, nullptr);
    Counting("BRD1", "FIRMC", 3, 0, 0.0, false);
    fw::RowHint hint;
    hint.SetSize(OrdCountTable().GetCount());
    hint.AddRow(3);
    doc->UpdateDocument(0, &hint);
    EXPECT_NE(doc->title().find("FIRMC - 1"), std::string::npos) << doc->title();
}

TEST_F(OrdCountWindows, LimitsOfTheCurrentRowAndTheAlertsWindow)
{
    Counting("BRD1", "FIRMA", 120, 4, 1.5, false);
    Counting("BRD1", "FIRMB", 900, 0, 12.0, true);
    Limits("BRD1", "FIRMA", 500, 20);
    Limits("BRD1", "FIRMX", 50, 2, true);
    Limits("BRD1", "*", 1000, 40);
    Grant(142, 0); // the limits
    auto* view = Open<COrdCountView>(40);
    ASSERT_NE(view, nullptr);
    std::vector<int> rows;
    KvSetCommandDialog(ID_ORDCOUNT_ALERTS, [&](int row) {
        rows.push_back(row);
        return static_cast<int>(fw::IDOK);
    });
    EXPECT_FALSE(Enabled(*view, ID_ORDCOUNT_LIMITS)) << "no current row";
    Select(*view, { 1 });
    EXPECT_TRUE(Enabled(*view, ID_ORDCOUNT_LIMITS));
    view->routeCommand(ID_ORDCOUNT_LIMITS);
    EXPECT_EQ(rows, (std::vector<int> { 1 }));

    EXPECT_TRUE(Enabled(*view, ID_ORDCOUNT_ALERTS_VIEW));
    view->routeCommand(ID_ORDCOUNT_ALERTS_VIEW);
    auto* alerts = dynamic_cast<COAlertsDoc*>(ps->GetTableDoc(COAlertsDoc::kTableId));
    ASSERT_NE(alerts, nullptr);
    // The removed definition is not listed.
    ASSERT_EQ(alerts->GetRowCount(), 2);
    EXPECT_STREQ(alerts->GetRowRecord(0)->szFirm, "FIRMA");
    EXPECT_STREQ(alerts->GetRowRecord(1)->szFirm, "*");
    EXPECT_EQ(Style(*alerts, 1, 3).value, "1000");
    EXPECT_EQ(Style(*alerts, 1, 6).value, "20");
    EXPECT_EQ(Style(*alerts, 1, 6).align, fw::Align::Right);
    // Asked again, the open window comes to the front.
    view->routeCommand(ID_ORDCOUNT_ALERTS_VIEW);
    EXPECT_EQ(app->GetDocTemplate(COAlertsDoc::kTableId)->documents().size(), 1u);
}

TEST_F(OrdCountWindows, PicturesInBothLanguages)
{
    const char* dirName = std::getenv("KV32_SHOT_DIR");
    OrdCountTable().m_aColors = { 0xFFFFFF, 0x8080FF };
    Counting("BRD1", "FIRMA", 120, 4, 1.5, false);
    Counting("BRD1", "FIRMB", 900, 0, 12.0, true);
    Counting("BRD2", "FIRMA", 7, 1, 0.1, false);
    Limits("BRD1", "FIRMA", 500, 20);
    Limits("BRD1", "*", 1000, 40);
    const struct {
        std::uint32_t table;
        const char* name;
        int width;
        const char* englishColumn;
        const char* hungarianColumn;
    } windows[] = {
        { 40, "list-order-counting", 1760, "Normal counter", "Norm\xE1l sz\xE1ml\xE1l\xF3" },
        { 41, "list-order-counting-alerts", 820, "Norm.ord. limit", "Norm\xE1l megb. limit" },
    };
    for (const auto& [language, suffix] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        for (const auto& w : windows) {
            SCOPED_TRACE(w.name);
            auto* view = Open<CListView>(w.table);
            ASSERT_NE(view, nullptr);
            EXPECT_EQ(view->GetDocument()->GetColumnTitle(3),
                language == fw::Language::English ? w.englishColumn : w.hungarianColumn);
            view->OnGridSizeToContent();
            view->parentFrame()->resize(w.width, 170);
            const QImage image = view->parentFrame()->grab().toImage();
            EXPECT_FALSE(image.isNull());
            if (dirName != nullptr)
                image.save(QDir(dirName).filePath(QStringLiteral("%1-%2.png").arg(w.name, suffix)));
            app->CloseAllDocuments();
        }
    }
}

} // namespace
