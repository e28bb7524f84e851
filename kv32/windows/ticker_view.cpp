#include "kv32/windows/ticker_view.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

#include "fw/ui/app.h"
#include "kv32/lists/ticker_list.h"

namespace {

// Every ticker view takes the next id, so two tickers never share a timer.
std::uint32_t NextTimerId()
{
    static std::uint32_t counter = 0x7100;
    return ++counter;
}

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

// The grid's sort commands: a strip keeps the table's order.
constexpr unsigned kSortCommands[] = { 35988, 35994, 35995, 35997, 35998, 35999 };

} // namespace

int CTickerView::Strip::rowCount() const
{
    const CTickerDoc* doc = m_view.GetTickerDoc();
    return doc != nullptr ? std::max(doc->LineCount(), 0) : 0;
}

int CTickerView::Strip::columnCount() const
{
    const CTickerDoc* doc = m_view.GetTickerDoc();
    return doc != nullptr ? doc->TradeCount() : 0;
}

bool CTickerView::Strip::cellStyle(int row, int col, fw::CellStyle& style) const
{
    const CTickerDoc* doc = m_view.GetTickerDoc();
    if (doc == nullptr)
        return false;
    style.value = col == 0 ? doc->LineTitle(row) : doc->CellText(row, col);
    style.back = kBlack;
    style.text = kWhite;
    style.bold = false;
    style.align = col > 0 && row > 0 ? fw::Align::Right : fw::Align::Left;
    return true;
}

CTickerView::CTickerView(QWidget* parent)
    : CLastNView(parent)
    , m_nTimerId(NextTimerId())
{
    for (unsigned id : kSortCommands)
        MapCommand(id, KvCommandRule::AlwaysOff, nullptr, [] { });
    commands().onCommand(kSmoothScroll, [this] { OnSmoothScroll(); });
    commands().onUpdate(kSmoothScroll, [this](fw::CmdUI& ui) {
        const CTickerDoc* doc = GetTickerDoc();
        ui.enable(doc != nullptr);
        ui.setCheck(doc != nullptr && doc->Smooth() ? 1 : 0);
    });
}

CTickerView::~CTickerView()
{
    StartTimer(false);
}

CTickerDoc* CTickerView::GetTickerDoc() const
{
    return dynamic_cast<CTickerDoc*>(GetDocument());
}

void CTickerView::onInitialUpdate()
{
    CLastNView::onInitialUpdate();
    setSource(&m_strip);
    scrollTable()->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    if (const CTickerDoc* doc = GetTickerDoc())
        m_nPeriod = doc->Period();
    StartTimer(true);
}

void CTickerView::onUpdate(fw::View* sender, intptr_t hint, fw::Hint* object)
{
    CTickerDoc* doc = GetTickerDoc();
    const bool rebuilt = object == nullptr;
    CLastNView::onUpdate(sender, hint, object);
    // A rebuild (the table dropped its oldest trades) keeps the trade at the left edge.
    if (doc != nullptr && rebuilt && initialised())
        ShowLeftColumn(doc->LeftColumn());
}

void CTickerView::onTimer(std::uint32_t timerId)
{
    if (timerId == m_nTimerId)
        ScrollStep();
    CLastNView::onTimer(timerId);
}

int CTickerView::RestructControl()
{
    model().syncCounts();
    redraw();
    return 1;
}

bool CTickerView::StartTimer(bool start)
{
    if (start == m_bTimerRunning)
        return true;
    fw::App* app = fw::App::instance();
    if (!start) {
        if (app != nullptr)
            app->killTimer(this, m_nTimerId);
        m_bTimerRunning = false;
        return true;
    }
    if (app == nullptr)
        return false;
    app->setTimer(this, m_nTimerId, m_nPeriod);
    m_bTimerRunning = app->hasTimer(this, m_nTimerId);
    return m_bTimerRunning;
}

void CTickerView::SetPeriod(int ms)
{
    if (ms == m_nPeriod)
        return;
    if (!m_bTimerRunning) {
        m_nPeriod = ms;
        return;
    }
    StartTimer(false);
    m_nPeriod = ms;
    StartTimer(true);
}

void CTickerView::OnSmoothScroll()
{
    CTickerDoc* doc = GetTickerDoc();
    if (doc == nullptr)
        return;
    doc->SetSmooth(!doc->Smooth());
    SetPeriod(doc->Period());
}

int CTickerView::LeftColumn() const
{
    const int col = scrollTable()->columnAt(0);
    return col < 1 ? 1 : col;
}

void CTickerView::ShowLeftColumn(int col)
{
    QScrollBar* bar = scrollTable()->horizontalScrollBar();
    const int x = scrollTable()->horizontalHeader()->sectionPosition(col);
    bar->setValue(std::min(std::max(x, 0), bar->maximum()));
}

void CTickerView::ScrollStep()
{
    CTickerDoc* doc = GetTickerDoc();
    QScrollBar* bar = scrollTable()->horizontalScrollBar();
    // A strip that fits (or has reached its end) stands still.
    if (doc == nullptr || bar->value() >= bar->maximum())
        return;
    if (doc->Smooth())
        bar->setValue(bar->value() + 1);
    else
        ShowLeftColumn(LeftColumn() + 1);
    doc->NoteLeftColumn(LeftColumn());
}
