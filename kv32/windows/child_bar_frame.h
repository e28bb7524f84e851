#pragma once
// CTChildBarFrame: a table window's frame with a status bar of its own under the
// window (the order book's). The bar has three borderless panes that share its
// width; the window writes its figures into them.
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

private:
    QStatusBar* m_pBar = nullptr;
    QLabel* m_panes[kPaneCount] = {};
};
