#pragma once
// The menu model: a tree of commands, separators and popups that the frame renders and that popup
// menus are built from. Texts are 8-bit Windows-1250 with '&' marking the mnemonic.
#include "fw/core/fw_core_api.h"
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fw {

class CmdTarget;

class FW_CORE_API Menu {
public:
    enum class Kind { Command, Separator, Popup };

    Menu() : kind_(Kind::Popup) {}
    static Menu command(uint32_t id, std::string text);
    static Menu separator();
    static Menu popup(std::string text, std::vector<Menu> items = {});

    Kind kind() const { return kind_; }
    bool isSeparator() const { return kind_ == Kind::Separator; }
    bool isPopup() const { return kind_ == Kind::Popup; }
    // Command id; 0 for separators and popups.
    uint32_t id() const { return id_; }
    const std::string& text() const { return text_; }
    void setText(std::string text) { text_ = std::move(text); }
    // The text without mnemonic markers ("&&" stays a single '&').
    std::string plainText() const;
    bool enabled() const { return enabled_; }
    void setEnabled(bool on) { enabled_ = on; }
    int check() const { return check_; }
    void setCheck(int state) { check_ = state; }

    // Items of a popup.
    const std::vector<Menu>& items() const { return items_; }
    size_t itemCount() const { return items_.size(); }
    Menu& add(Menu item);
    // Inserts before pos (appends when pos is past the end).
    Menu& insert(size_t pos, Menu item);
    bool removeAt(size_t pos);
    Menu* itemAt(size_t pos) { return pos < items_.size() ? &items_[pos] : nullptr; }
    const Menu* itemAt(size_t pos) const { return pos < items_.size() ? &items_[pos] : nullptr; }

    // First command item with this id anywhere below this popup, or null.
    Menu* find(uint32_t id);
    const Menu* find(uint32_t id) const;
    // Position of the command id among this popup's own items, or -1.
    int positionOf(uint32_t id) const;
    // First popup (any depth) whose plain text equals text, or null.
    Menu* findPopup(const std::string& plainText);
    // Removes every command item with this id below this popup; returns how many went.
    int removeCommand(uint32_t id);
    // Removes items accepted by keep == false, recursively; popups left empty go too, and
    // separators never lead, trail or double up afterwards.
    template <class Pred> void prune(Pred keep);
    // Drops leading, trailing and doubled separators in this popup and below.
    void tidySeparators();
    // Every command id below this popup, in menu order.
    std::vector<uint32_t> commandIds() const;

private:
    Kind kind_;
    uint32_t id_ = 0;
    std::string text_;
    bool enabled_ = true;
    int check_ = 0;
    std::vector<Menu> items_;
};

template <class Pred> void Menu::prune(Pred keep)
{
    std::vector<Menu> kept;
    kept.reserve(items_.size());
    for (auto& item : items_) {
        if (item.isPopup()) {
            item.prune(keep);
            if (item.items_.empty())
                continue;
        } else if (item.kind_ == Kind::Command && !keep(item.id_)) {
            continue;
        }
        kept.push_back(std::move(item));
    }
    items_ = std::move(kept);
    tidySeparators();
}

// Runs the update handlers of target's route for every command item of popup (not of its
// sub-popups, which are updated when they open): enable, check and text are applied, and items
// whose handler asks for removal are deleted from this popup.
FW_CORE_API void updateMenuUI(Menu& popup, CmdTarget& target);

} // namespace fw
