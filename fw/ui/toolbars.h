#pragma once
// The main window's command bars, each known by a numeric id: the bar's object name comes from
// the id, never from its title, so a layout saved while the titles were Hungarian restores under
// English ones. Each bar is shown or hidden by the interface (logged off or on), shows the icon
// of each command from the icon table, and holds only the commands the rights filter allows; the
// filter also applies to a saved layout after it is restored.
#include "fw/ui/fw_ui_api.h"

#include <QObject>
#include <Qt>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QToolBar;

namespace fw {

class MainFrame;

struct CommandBarDef {
    uint32_t id;
    std::vector<uint32_t> buttons; // command ids; 0 is a separator
    bool shownLoggedOff = true;
    bool shownLoggedOn = true;
};

class FW_UI_API CommandBars : public QObject {
    Q_OBJECT
public:
    explicit CommandBars(MainFrame& frame);
    ~CommandBars() override;

    // The conventional id of the n-th bar (from 0): 59392, then 59397, 59398, ...
    static uint32_t barIdOf(int n);
    static QString objectNameOf(uint32_t barId);

    // Texts in the current language (Windows-1250): a bar's title, a button's text and its
    // prompt ("status text\ntool tip"). Set before adding bars; retitle() applies new ones.
    void setTexts(std::function<std::string(uint32_t barId)> title, std::function<std::string(uint32_t cmd)> buttonText,
                  std::function<std::string(uint32_t cmd)> prompt = {});
    void retitle();
    // Which commands the user may use (all until set).
    void setRightsFilter(std::function<bool(uint32_t cmd)> allowed);
    void setButtonStyle(Qt::ToolButtonStyle style);

    QToolBar* addBar(const CommandBarDef& def);
    QToolBar* bar(uint32_t barId) const;
    // The commands a bar shows now, in order (0 for separators).
    std::vector<uint32_t> buttons(uint32_t barId) const;
    // The user's own arrangement of a bar, cut by the rights filter; false for an unknown bar.
    bool setButtons(uint32_t barId, const std::vector<uint32_t>& ids);

    // Every bar back to its full definition cut by the rights filter, shown or hidden by the
    // interface's flags.
    void setInterface(bool loggedOn);
    bool loggedOn() const { return loggedOn_; }

    // The layout: each bar's buttons, then the frame's bar positions and visibility.
    std::vector<uint8_t> saveState() const;
    // False (and nothing changed) when the bytes are not a saved layout. Buttons the rights
    // filter refuses are dropped after the layout is in place.
    bool restoreState(const std::vector<uint8_t>& state);

private:
    struct Bar {
        CommandBarDef def;
        QToolBar* bar;
        std::vector<uint32_t> shown;
    };
    void fill(Bar& b, const std::vector<uint32_t>& ids);
    std::vector<uint32_t> permitted(const std::vector<uint32_t>& ids) const;
    Bar* find(uint32_t barId);
    const Bar* find(uint32_t barId) const;

    MainFrame& frame_;
    std::vector<Bar> bars_;
    std::function<std::string(uint32_t)> title_;
    std::function<std::string(uint32_t)> text_;
    std::function<std::string(uint32_t)> prompt_;
    std::function<bool(uint32_t)> allowed_;
    Qt::ToolButtonStyle style_ = Qt::ToolButtonIconOnly;
    bool loggedOn_ = false;
};

} // namespace fw
