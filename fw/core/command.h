#pragma once
// Command routing: command ids and window messages reach handler functions through a chain of
// targets (view, document, frame, application), and update handlers decide per command whether it
// is enabled, checked, renamed or (in menus only) removed.
#include "fw/core/fw_core_api.h"
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace fw {

// One update request for one command, filled by the update handlers of the route.
class FW_CORE_API CmdUI {
public:
    enum class Source { Menu, ToolBar, Other };

    explicit CmdUI(uint32_t id, Source source = Source::Other) : id_(id), source_(source) {}

    uint32_t id() const { return id_; }
    Source source() const { return source_; }
    bool isMenu() const { return source_ == Source::Menu; }

    void enable(bool on = true) { enabled_ = on; }
    // 0 unchecked, 1 checked, 2 indeterminate.
    void setCheck(int state = 1) { check_ = state; }
    void setText(std::string text) { text_ = std::move(text); }
    // Removal applies to menus only: the same command on a toolbar stays where it is.
    void remove()
    {
        if (isMenu())
            removed_ = true;
    }

    bool enabled() const { return enabled_; }
    int check() const { return check_; }
    const std::optional<std::string>& text() const { return text_; }
    bool removed() const { return removed_; }
    // True once some update handler of the route has looked at the command.
    bool handled() const { return handled_; }
    void setHandled() { handled_ = true; }

private:
    uint32_t id_;
    Source source_;
    bool enabled_ = true;
    int check_ = 0;
    std::optional<std::string> text_;
    bool removed_ = false;
    bool handled_ = false;
};

// Notification codes a dialog control sends to its dialog (see fw::Dialog).
enum class Notify : uint32_t {
    Clicked = 0,
    Change = 1,
    SetFocus = 2,
    KillFocus = 3,
    SelChange = 4,
    DblClk = 5,
};

// The handler tables of one target. Later entries for the same id replace earlier ones.
class FW_CORE_API CommandMap {
public:
    using Handler = std::function<void(uint32_t id)>;
    using UpdateHandler = std::function<void(CmdUI&)>;
    using MessageHandler = std::function<intptr_t(uint64_t wparam, int64_t lparam)>;
    using NotifyHandler = std::function<void()>;

    void onCommand(uint32_t id, std::function<void()> handler);
    void onCommandRange(uint32_t first, uint32_t last, Handler handler);
    void onUpdate(uint32_t id, UpdateHandler handler);
    void onUpdateRange(uint32_t first, uint32_t last, UpdateHandler handler);
    void onMessage(uint32_t message, MessageHandler handler);
    void onNotify(uint32_t controlId, Notify code, NotifyHandler handler);

    const Handler* findCommand(uint32_t id) const;
    const UpdateHandler* findUpdate(uint32_t id) const;
    const MessageHandler* findMessage(uint32_t message) const;
    const NotifyHandler* findNotify(uint32_t controlId, Notify code) const;

private:
    struct Range {
        uint32_t first, last;
    };
    struct CommandEntry {
        Range range;
        Handler handler;
    };
    struct UpdateEntry {
        Range range;
        UpdateHandler handler;
    };
    struct MessageEntry {
        uint32_t message;
        MessageHandler handler;
    };
    struct NotifyEntry {
        uint32_t control;
        Notify code;
        NotifyHandler handler;
    };
    std::vector<CommandEntry> commands_;
    std::vector<UpdateEntry> updates_;
    std::vector<MessageEntry> messages_;
    std::vector<NotifyEntry> notifies_;
};

// A receiver of commands and messages. The route of a target is itself followed by the targets
// that commandChain() appends; the first target whose map knows the id handles it.
class FW_CORE_API CmdTarget {
public:
    CmdTarget();
    virtual ~CmdTarget();
    CmdTarget(const CmdTarget&) = delete;
    CmdTarget& operator=(const CmdTarget&) = delete;

    CommandMap& commands() { return map_; }
    const CommandMap& commands() const { return map_; }

    // Runs the first command handler on the route; false when nobody handles the id.
    bool routeCommand(uint32_t id);
    // Runs the first update handler on the route. Without one, a command that has a handler stays
    // enabled and one without any handler is disabled (so menus never offer dead items).
    bool routeUpdate(CmdUI& ui);
    // True when some target on the route has a command handler for id.
    bool hasCommandHandler(uint32_t id);
    // Delivers a message to the first target on the route that maps it.
    std::optional<intptr_t> routeMessage(uint32_t message, uint64_t wparam, int64_t lparam);

    // Timer ticks (see fw::App::setTimer). Default: nothing.
    virtual void onTimer(uint32_t /*timerId*/) {}

    // A token that expires with the target, so queued work never reaches a destroyed target.
    std::weak_ptr<void> lifeToken() const { return alive_; }

    // The route starting at this target, without duplicates.
    std::vector<CmdTarget*> route();

protected:
    // Appends the route in order; the default is this target alone.
    virtual void commandChain(std::vector<CmdTarget*>& out);

private:
    CommandMap map_;
    std::shared_ptr<int> alive_;
};

} // namespace fw
