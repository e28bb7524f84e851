#include "fw/core/menu.h"

#include "fw/core/command.h"

namespace fw {

Menu Menu::command(uint32_t id, std::string text)
{
    Menu m;
    m.kind_ = Kind::Command;
    m.id_ = id;
    m.text_ = std::move(text);
    return m;
}

Menu Menu::separator()
{
    Menu m;
    m.kind_ = Kind::Separator;
    return m;
}

Menu Menu::popup(std::string text, std::vector<Menu> items)
{
    Menu m;
    m.kind_ = Kind::Popup;
    m.text_ = std::move(text);
    m.items_ = std::move(items);
    return m;
}

std::string Menu::plainText() const
{
    std::string out;
    out.reserve(text_.size());
    for (size_t i = 0; i < text_.size(); ++i) {
        if (text_[i] == '&') {
            if (i + 1 < text_.size() && text_[i + 1] == '&') {
                out.push_back('&');
                ++i;
            }
            continue;
        }
        if (text_[i] == '\t')
            break; // the accelerator hint is not part of the item's name
        out.push_back(text_[i]);
    }
    return out;
}

Menu& Menu::add(Menu item)
{
    items_.push_back(std::move(item));
    return items_.back();
}

Menu& Menu::insert(size_t pos, Menu item)
{
    if (pos > items_.size())
        pos = items_.size();
    return *items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(pos), std::move(item));
}

bool Menu::removeAt(size_t pos)
{
    if (pos >= items_.size())
        return false;
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(pos));
    return true;
}

Menu* Menu::find(uint32_t id)
{
    return const_cast<Menu*>(static_cast<const Menu*>(this)->find(id));
}

const Menu* Menu::find(uint32_t id) const
{
    for (const auto& item : items_) {
        if (item.kind_ == Kind::Command && item.id_ == id)
            return &item;
        if (item.isPopup())
            if (const Menu* m = item.find(id))
                return m;
    }
    return nullptr;
}

int Menu::positionOf(uint32_t id) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].kind_ == Kind::Command && items_[i].id_ == id)
            return static_cast<int>(i);
    return -1;
}

Menu* Menu::findPopup(const std::string& plain)
{
    for (auto& item : items_) {
        if (!item.isPopup())
            continue;
        if (item.plainText() == plain)
            return &item;
        if (Menu* m = item.findPopup(plain))
            return m;
    }
    return nullptr;
}

int Menu::removeCommand(uint32_t id)
{
    int removed = 0;
    for (size_t i = 0; i < items_.size();) {
        Menu& item = items_[i];
        if (item.kind_ == Kind::Command && item.id_ == id) {
            items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(i));
            ++removed;
            continue;
        }
        if (item.isPopup())
            removed += item.removeCommand(id);
        ++i;
    }
    return removed;
}

void Menu::tidySeparators()
{
    std::vector<Menu> kept;
    kept.reserve(items_.size());
    for (auto& item : items_) {
        if (item.isSeparator() && (kept.empty() || kept.back().isSeparator()))
            continue;
        kept.push_back(std::move(item));
    }
    while (!kept.empty() && kept.back().isSeparator())
        kept.pop_back();
    items_ = std::move(kept);
    for (auto& item : items_)
        if (item.isPopup())
            item.tidySeparators();
}

std::vector<uint32_t> Menu::commandIds() const
{
    std::vector<uint32_t> ids;
    for (const auto& item : items_) {
        if (item.kind_ == Kind::Command)
            ids.push_back(item.id_);
        else if (item.isPopup()) {
            auto sub = item.commandIds();
            ids.insert(ids.end(), sub.begin(), sub.end());
        }
    }
    return ids;
}

void updateMenuUI(Menu& popup, CmdTarget& target)
{
    // Collect ids first: removing an item invalidates positions, and a handler may rename the
    // item it is updating.
    std::vector<uint32_t> ids;
    for (const auto& item : popup.items())
        if (item.kind() == Menu::Kind::Command)
            ids.push_back(item.id());
    for (uint32_t id : ids) {
        Menu* item = nullptr;
        int pos = popup.positionOf(id);
        if (pos < 0)
            continue; // an earlier handler already removed it
        item = popup.itemAt(static_cast<size_t>(pos));
        CmdUI ui(id, CmdUI::Source::Menu);
        target.routeUpdate(ui);
        if (ui.removed()) {
            // Every item of this popup with the id goes, as deleting by command would.
            while ((pos = popup.positionOf(id)) >= 0)
                popup.removeAt(static_cast<size_t>(pos));
            continue;
        }
        item->setEnabled(ui.enabled());
        item->setCheck(ui.check());
        if (ui.text())
            item->setText(*ui.text());
    }
    popup.tidySeparators();
}

} // namespace fw
