#include "kvcore/frame/menu_shortcuts.h"

#include <string>

#include "fw/core/menu.h"

void KvWriteShortcutTexts(fw::Menu& menu, std::span<const fw::AccelRecord> table)
{
    for (std::size_t i = 0; i < menu.itemCount(); ++i) {
        fw::Menu& item = *menu.itemAt(i);
        if (item.isPopup()) {
            KvWriteShortcutTexts(item, table);
            continue;
        }
        if (item.isSeparator())
            continue;
        std::string text = item.text();
        if (const std::size_t tab = text.find('\t'); tab != std::string::npos)
            text.erase(tab);
        for (const fw::AccelRecord& key : table) {
            if (key.cmd != item.id() || key.key == 0)
                continue;
            text += '\t' + fw::accelKeyName(key);
            break;
        }
        item.setText(std::move(text));
    }
}
