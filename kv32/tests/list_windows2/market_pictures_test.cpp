// Pictures of the market windows with data in both languages, written to
// KV32_SHOT_DIR when it is set.
#include "list_windows2/market_fixture.h"

#include <cstdlib>

#include <QDir>
#include <QImage>
#include <QPixmap>

#include "kv32/lists/market_orders_list.h"
#include "kvcore/app/app_core_base.h"
#include "kv32/lists/order_book_list.h"
#include "kv32/lists/securities_list.h"
#include "kv32/lists/summary_list.h"
#include "kv32/windows/securities_view.h"
#include "kvcore/gridview/gx_view.h"

namespace {

using namespace kv32test;

std::string Digits(long long value, int width)
{
    std::string text = std::to_string(value);
    return std::string(static_cast<std::size_t>(width) - text.size(), '0') + text;
}

std::string Level(long long price, long long qty, const std::string& info)
{
    return Digits(price, 9) + Digits(0, 9) + Digits(qty, 16) + Digits(0, 16) + " " + info + "#";
}

std::string Order(const std::string& owner, long long price, long long qty)
{
    std::string text = owner;
    text.resize(12, ' ');
    return text + Digits(price, 9) + Digits(qty, 16) + "L";
}

std::string SumRecord(const std::string& sector, long long orders, long long trades, long long volume, long long value)
{
    std::string s = sector;
    s.resize(4, ' ');
    return "00000001" + s + "MKT1BRD1" + Digits(orders, 6) + Digits(trades, 6) + Digits(volume, 16)
        + Digits(value, 16) + Digits(3, 6) + Digits(2, 6) + Digits(1, 6) + Digits(orders / 2, 6) + "0";
}

TEST_F(MarketWindows, PicturesInBothLanguages)
{
    const char* dirName = std::getenv("KV32_SHOT_DIR");
    for (const auto& [language, suffix] :
        { std::pair { fw::Language::English, "en" }, std::pair { fw::Language::Hungarian, "hu" } }) {
        fw::setLanguage(language);
        FreeTables();
        key = 0;
        Feed(StatusTable(), 115, StatusRecord(1, "001", 'A', "Active", "0110"));
        Feed(StatusTable(), 115, StatusRecord(2, "002", 'S', "Suspended", "0000"));
        Feed(BoardTable(), 22, BoardRecord(1, "BRD1", "Main board", 'A'));
        Feed(BoardTable(), 22, BoardRecord(2, "BRD2", "Second board", 'S'));
        Feed(MarketTable(), 20, MarketRecord(1, "MKT1", "Equities", 'A'));
        Feed(MarketTable(), 20, MarketRecord(2, "MKT2", "Bonds", 'S'));
        Feed(InstrumentTable(), 21, MarketRecord(1, "SHR", "Shares", 'A'));
        Feed(InstrumentTable(), 21, MarketRecord(2, "BND", "Bonds", 'A'));
        Feed(SectorTable(), CSectorTable::kRequest, SectorRecord(1, "BNK", "Banks"));
        Feed(SectorTable(), CSectorTable::kRequest, SectorRecord(2, "ENR", "Energy"));
        const int alfa = Security("ALFA", "BRD1", "INSTR0000001");
        const int beta = Security("BETA", "BRD1", "INSTR0000002");
        const int gamma = Security("GAMMA", "BRD2", "INSTR0000003", 'S');
        for (int row : { alfa, beta, gamma }) {
            SecurityRec& s = *SecurityTable().GetRec(row);
            s.dBid = CDouble(120.5 + row, 2);
            s.dOffer = CDouble(121.0 + row, 2);
            s.dLast = CDouble(120.75 + row, 2);
            s.dClose = CDouble(119.0 + row, 2);
            s.dVolumeToday = CDouble(15000 + 1000 * row, 0);
        }
        SecurityTable().GetRec(beta)->nColor = CSecurityTable::kPositive;
        SecurityTable().GetRec(alfa)->aAlertColors[4] = 0x0000FF;
        MarketTable().m_nCurrent = 0;
        BoardTable().m_nCurrent = 0;

        auto* secs = Open<CSecsView>(6);
        ASSERT_NE(secs, nullptr);
        secs->GetSecsDoc()->SetRows({ alfa, beta, gamma });
        auto* book = dynamic_cast<COrdBkDoc*>(KvOpenSecurityBook(11, SecurityKey(*SecurityTable().GetRec(alfa))));
        ASSERT_NE(book, nullptr);
        SecurityTable().GetRec(alfa)->dQuantity = CDouble(300, 0);
        book->TakeReply("0000000001" + std::string(17, ' ') + Digits(4, 7) + "0302" + Level(12050, 300, "N")
            + Level(12040, 150, "*") + Level(12000, 80, "N") + Level(12100, 200, "!") + Level(12150, 90, "N"));
        book->UpdateDocument(0, nullptr);
        // A request step shows the last trade in the status bar.
        app->CollectAllRequests();
        VORLInfoReqEnd();
        router->Reply(std::vector<Msg>(router->Requests().size(), End()));
        app->VORLInfoReqRecv();
        auto* orders = dynamic_cast<CMktOrdDoc*>(KvOpenSecurityBook(12, SecurityKey(*SecurityTable().GetRec(alfa))));
        ASSERT_NE(orders, nullptr);
        orders->TakeReply("0000000001" + std::string(17, ' ') + "0203" + Order("BRK1T1", 12050, 300)
            + Order("BRK2T1", 12040, 150) + Order("BRK3T1", 12100, 200) + Order("BRK1T2", 12150, 90)
            + Order("BRK2T2", 12200, 40));
        orders->UpdateDocument(0, nullptr);
        auto* summary = dynamic_cast<CSumDoc*>(app->OpenTable(7, true, true, nullptr));
        ASSERT_NE(summary, nullptr);
        summary->TakeRecord(SumRecord("BNK", 40, 12, 15000, 1810000));
        summary->TakeRecord(SumRecord("ENR", 25, 7, 9000, 640000));
        app->OpenTable(2, true, true, nullptr);
        app->OpenTable(3, true, true, nullptr);
        app->OpenTable(5, true, true, nullptr);

        for (auto [id, name, width] : { std::tuple { 6u, "securities", 1100 }, std::tuple { 11u, "order-book", 1000 },
                 std::tuple { 12u, "market-by-order", 800 }, std::tuple { 7u, "summary", 1000 },
                 std::tuple { 2u, "boards", 400 }, std::tuple { 3u, "markets", 400 },
                 std::tuple { 5u, "instruments", 400 } }) {
            CTDoc* doc = app->GetDocTemplate(id)->GetFirstDoc();
            ASSERT_NE(doc, nullptr) << name;
            auto* view = dynamic_cast<kvcore::CTGXView*>(doc->firstView());
            ASSERT_NE(view, nullptr) << name;
            view->OnGridSizeToContent();
            view->parentFrame()->resize(width, 220);
            const QImage image = view->parentFrame()->grab().toImage();
            EXPECT_FALSE(image.isNull()) << name;
            if (dirName != nullptr)
                image.save(QDir(dirName).filePath(QStringLiteral("market-%1-%2.png").arg(name, suffix)));
        }
        const bool english = language == fw::Language::English;
        EXPECT_EQ(secs->GetDocument()->GetColumnTitle(1), english ? "Short Name" : "R\xF6vid n\xE9v");
        EXPECT_EQ(summary->GetSummaryRow(2)->szName, std::string(english ? "Total" : "\xD6sszes"));
        app->CloseAllDocuments();
    }
}

} // namespace
