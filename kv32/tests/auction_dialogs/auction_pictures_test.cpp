// The templates and texts of the auction and summary dialogs are complete,
// and pictures of the dialogs with real figures in both languages (saved
// when KV32_SHOT_DIR names a folder).
#include <gtest/gtest.h>

#include <QDir>
#include <QHeaderView>
#include <QImage>
#include <QTableView>

#include <cstdlib>
#include <cstring>
#include <string>

#include "auction_dialogs/auction_fixture.h"
#include "fw/core/rescheck.h"
#include "fw/core/strings.h"
#include "fw/ui/gridview.h"
#include "fw/ui/text.h"
#include "kv32/dialogs/auction/auction_dlg.h"
#include "kv32/dialogs/supervision/board_summary_dlg.h"
#include "kv32/res/auction_ids.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/values/intl_info.h"

namespace {

using namespace auctiontest;
using kv32test::End;

TEST(AuctionDialogResources, TemplatesAndTextsAreComplete)
{
    const fw::ResourceSet set { "kv32-auction-dialogs-check", Kv32AuctionDialogStrings(),
        Kv32AuctionDialogTemplates() };
    const fw::ResourceReport report = fw::checkResources(std::span(&set, 1));
    EXPECT_TRUE(report.ok()) << report.text();
}

using AuctionPictures = AuctionFixture;

// Every line of every column title fits its column: a centred title wider than its
// column loses both ends and reads as a grid scrolled sideways.
void ExpectTitlesFit(fw::Dialog& d, const KvGridCells& cells, const char* language)
{
    auto* grid = qobject_cast<fw::GridView*>(d.item(IDC_AU_GRID));
    ASSERT_NE(grid, nullptr);
    const QFontMetrics metrics = grid->scrollTable()->horizontalHeader()->fontMetrics();
    for (int c = 1; c <= cells.ColumnCount(); ++c)
        for (const QString& line : fw::toQt(cells.Text(0, c)).split(QLatin1Char('\n')))
            EXPECT_GE(grid->colWidth(c), metrics.horizontalAdvance(line) + 8)
                << language << " column " << c << ": " << line.toStdString();
}

void Save(const QImage& image, const std::string& name)
{
    EXPECT_FALSE(image.isNull()) << name;
    if (const char* dir = std::getenv("KV32_SHOT_DIR"))
        image.save(QDir(dir).filePath(QString::fromStdString(name + ".png")));
}

TEST_F(AuctionPictures, BothAuctionsAndTheSummaryInBothLanguages)
{
    for (int i = 0; i < SecurityTable().GetCount(); ++i) {
        SecurityRec* rec = SecurityTable().GetRec(i);
        rec->dVolumeToday = CDouble(12500.0 * (i + 1), 0);
        rec->dValueToday = CDouble(1562500.5 * (i + 1), 2);
    }
    for (const auto& [language, suffix] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        KvSetIntl(language == fw::Language::English ? fw::englishLocale() : fw::hungarianLocale());
        for (const KvAuctionKind kind : { KvAuctionKind::Primary, KvAuctionKind::BuyBack }) {
            const KvAuctionTraits& t = AuctionTraits(kind);
            router.Reply({ { t.summaryCode, Summary(kGovtCode, "G2026A", 42, 18500000, 2500000) }, End() });
            router.Reply({ { 94, "000009825" }, EndOf(94) });
            std::vector<kv32test::Msg> rows;
            for (int n = 1; n <= 5; ++n)
                rows.push_back({ t.resultCode,
                    Row(kGovtCode, Key(n),
                        { 9850 - 10 * n, 5100 + 40 * n, 500000 * n, 1000000 + 250000 * n, 985000000LL * n,
                            9830 - 20 * n, 5200 + 60 * n }) });
            rows.push_back(EndOf(t.resultCode));
            router.Reply(rows);
            dealtest::FakeActiveRow window(kListSecurities, dealtest::kGovt);
            std::unique_ptr<CAuctionDlg> dlg = kind == KvAuctionKind::Primary
                ? std::unique_ptr<CAuctionDlg>(new CPrimaryAuctionDlg)
                : std::unique_ptr<CAuctionDlg>(new CBuyBackAuctionDlg);
            fw::test::runModal(*dlg, [&](fw::Dialog& d) {
                d.userType(IDC_AU_MIN, "1000000");
                d.userType(IDC_AU_MAX, "5000000");
                d.userType(IDC_AU_INCREMENT, "1000000");
                d.userType(IDC_AU_PRICE, language == fw::Language::English ? "5.25" : "5,25");
                d.userLeave(IDC_AU_PRICE);
                d.userClick(IDC_AU_CALCULATE);
                ExpectTitlesFit(d, dlg->Form().Cells(), suffix);
                d.adjustSize();
                Save(d.grab().toImage(),
                    std::string("auction-") + (kind == KvAuctionKind::Primary ? "primary-" : "buyback-") + suffix);
                d.userClick(IDC_AU_CLOSE);
            });
            EXPECT_EQ(dlg->Form().Cells().Text(5, 1), "5000000");
            router.ClearRecord();
        }
        dealtest::FakeActiveRow boards(kListBoards, 0);
        CBoardSummaryDlg summary;
        fw::test::runModal(summary, [&](fw::Dialog& d) {
            d.adjustSize();
            Save(d.grab().toImage(), std::string("board-summary-") + suffix);
            d.userClick(fw::kIdCancel);
        });
    }
    fw::setLanguage(fw::Language::English);
    KvSetIntl(fw::englishLocale());
}

} // namespace
