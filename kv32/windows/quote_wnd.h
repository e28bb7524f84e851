// The quote window: a small child window of the order forms that paints the
// current quote of one security and repaints it once per time slice.
#pragma once

#include <QWidget>

#include "fw/core/command.h"

class CQuoteWnd : public QWidget, public fw::CmdTarget {
    Q_OBJECT
public:
    static constexpr uint32_t kTimerId = 20;
    explicit CQuoteWnd(QWidget* parent = nullptr);
    ~CQuoteWnd() override;

    // The row of the shown security in the security table (-1: none).
    void SetSecurity(int row);
    int Security() const { return m_nSecurity; }
    bool IsTimerRunning() const { return m_bTimer; }
    int TimerPeriodMs() const { return m_nPeriod; }
    void onTimer(uint32_t timerId) override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_nSecurity = -1;
    bool m_bTimer = false;
    int m_nPeriod = 1000;
};
