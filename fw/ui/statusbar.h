#pragma once
// The main window's status bar: panes of fixed pixel widths (pane 0 stretches over what is
// left), each with or without a frame; a pane of width 0 is hidden. Pane 0 can show a message in
// colours of its own (alerts and logs show their latest line in the alert's colours).
#include "fw/ui/fw_ui_api.h"

#include <QLabel>
#include <QStatusBar>
#include <cstdint>
#include <string>
#include <vector>

namespace fw {

// Pane 0 when it shows a coloured message: the whole pane is filled with the background first,
// so a shorter message leaves nothing of a longer one, and the text starts at the top-left.
class FW_UI_API MessagePane : public QLabel {
    Q_OBJECT
public:
    explicit MessagePane(QWidget* parent = nullptr);
    // Colours are 0x00BBGGRR.
    void setColoured(const QString& text, uint32_t textColour, uint32_t backColour);
    // Back to the status bar's own colours.
    void setPlain(const QString& text);
    bool coloured() const { return coloured_; }
    uint32_t textColour() const { return text_; }
    uint32_t backColour() const { return back_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool coloured_ = false;
    uint32_t text_ = 0;
    uint32_t back_ = 0;
};

class FW_UI_API StatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr);

    // Replaces the panes: one per width, in pixels (pane 0's width is its least).
    void setPanes(const std::vector<int>& widths);
    int paneCount() const { return static_cast<int>(panes_.size()); }
    void setPaneWidth(int pane, int width);
    int paneWidth(int pane) const;
    bool isPaneShown(int pane) const;
    void setPaneFramed(int pane, bool framed);
    bool isPaneFramed(int pane) const;
    void setPaneText(int pane, const std::string& text); // Windows-1250
    std::string paneText(int pane) const;
    // A message in pane 0 in its own colours (0x00BBGGRR), without the pane's frame.
    void setColouredMessage(const std::string& text, uint32_t textColour, uint32_t backColour);
    MessagePane* messagePane() const;
    QLabel* pane(int pane) const;

private:
    struct Pane {
        QLabel* label;
        int width;
        bool framed;
    };
    void apply(int pane);

    std::vector<Pane> panes_;
};

} // namespace fw
