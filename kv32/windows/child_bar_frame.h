#pragma once
// CTChildBarFrame: a table window's frame with a status bar of its own under the
// window (the order book's). Pane 0 takes the width the others leave; the
// window writes its figures into panes 1 and 2, each as wide as its text and
// framed, or without a frame and width while it has none.
#include <memory>
#include <string>

#include "kvcore/gridview/child_frame.h"

class QLabel;
class QStatusBar;

class CTChildBarFrame : public CTChildFrame {
public:
    static constexpr int kStatusBarId = 59393;
    static constexpr int kPaneCount = 3;

    explicit CTChildBarFrame(std::unique_ptr<fw::View> view, QWidget* parent = nullptr);

    QStatusBar* StatusBar() const { return m_pBar; }
    // Windows-1250 text into pane 0, 1 or 2; other panes are ignored.
    void SetPaneText(int pane, const std::string& text);
    std::string GetPaneText(int pane) const;
    QLabel* Pane(int pane) const { return pane >= 0 && pane < kPaneCount ? m_panes[pane] : nullptr; }

private:
    QStatusBar* m_pBar = nullptr;
    QLabel* m_panes[kPaneCount] = {};
};
