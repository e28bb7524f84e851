// The Ticker window's view: the trades as a strip that scrolls sideways on
// the view's own timer (its id unique among ticker views), smoothly every
// 20 ms or a trade a second, standing still while every trade fits.
#pragma once

#include <cstdint>

#include "fw/core/gridsource.h"
#include "kv32/windows/last_trades_view.h"

class CTickerDoc;

class CTickerView : public CLastNView {
    Q_OBJECT
public:
    static constexpr unsigned kSmoothScroll = 33180;

    explicit CTickerView(QWidget* parent = nullptr);
    ~CTickerView() override;

    void onInitialUpdate() override;
    void onUpdate(fw::View* sender, intptr_t hint, fw::Hint* object) override;
    void onTimer(std::uint32_t timerId) override;
    // The chosen fields are the strip's lines: the grid takes their count
    // again; the trade columns keep their widths.
    int RestructControl() override;

    CTickerDoc* GetTickerDoc() const;
    // TRUE starts, FALSE stops; false when the timer could not start.
    bool StartTimer(bool start);
    void SetPeriod(int ms);
    void OnSmoothScroll();
    // One step of the strip.
    void ScrollStep();

    std::uint32_t TimerId() const { return m_nTimerId; }
    bool TimerRunning() const { return m_bTimerRunning; }
    int Period() const { return m_nPeriod; }
    // The trade column at the left edge (1-based).
    int LeftColumn() const;

private:
    // The grid asks this for the transposed strip.
    class Strip : public fw::GridSource {
    public:
        explicit Strip(const CTickerView& view) : m_view(view) { }
        int rowCount() const override;
        int columnCount() const override;
        bool cellStyle(int row, int col, fw::CellStyle& style) const override;

    private:
        const CTickerView& m_view;
    };

    void ShowLeftColumn(int col);

    Strip m_strip { *this };
    std::uint32_t m_nTimerId;
    bool m_bTimerRunning = false;
    int m_nPeriod = 20;
};
