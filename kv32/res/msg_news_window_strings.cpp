#include "kv32/res/msg_news_window_strings.h"

#include "fw/core/resources.h"
#include "fw/core/strings.h"

namespace {

constexpr fw::StringEntry kStrings[] = {
    { 470, "Time", "Idő" },
    { 471, "From User", "Feladó felhasználó" },
    { 472, "From Firm", "Feladó cég" },
    { 473, "To User", "Címzett felhasználó" },
    { 474, "To Firm", "Címzett cég" },
    { 475, "Message", "Üzenet" },
    { 476, "DataFeed", "Adatszolgáltatás" },
    { 477, "Status", "Állapot" },
    { 730, "Date", "Dátum" },
    { 731, "Time", "Idő" },
    { 732, "User", "Felhasználó" },
    { 733, "Type", "Típus" },
    { 734, "Title", "Cím" },
    { 735, "Issuer", "Kibocsátó" },
    { 736, "Security", "Értékpapír" },
    { 737, "Language", "Nyelv" },
    { 738, "Status", "Állapot" },
    { IDS_MESSAGE_NOT_WAITING, "Only waiting messages can be changed or deleted.",
        "Csak a várakozó üzenetek módosíthatók vagy törölhetők." },
};

using fw::MenuEntry;
using fw::MenuEntryKind;

constexpr MenuEntry kMessagesMenu[] = {
    { 0, MenuEntryKind::Command, ID_MESSAGE_VIEW, "&View Message", "Üzenet &megtekintése" },
    { 0, MenuEntryKind::Command, ID_MESSAGE_EDIT, "&Edit Message", "Üzenet m&ódosítása" },
    { 0, MenuEntryKind::Command, ID_MESSAGE_DELETE, "&Delete Message", "Üzenet &törlése" },
};

constexpr MenuEntry kNewsMenu[] = {
    { 0, MenuEntryKind::Command, ID_NEWS_TEXT, "&News Text...", "&Hír szövege..." },
    { 0, MenuEntryKind::Command, ID_NEWS_FILE, "News &File....", "Hír &fájlja...." },
    { 0, MenuEntryKind::Command, ID_NEWS_EDIT, "&Edit", "&Módosítás" },
    { 0, MenuEntryKind::Command, ID_NEWS_DELETE, "&Delete", "&Törlés" },
};

constexpr fw::MenuTemplate kMenus[] = {
    { 18, kMessagesMenu },
    { 19, kNewsMenu },
};

const fw::ResourceSet kResources { "kv32-msg-news-windows", {}, {}, kMenus };

} // namespace

void Kv32RegisterMsgNewsWindowResources()
{
    static const bool registered = [] {
        fw::addResources(kResources);
        fw::strings().add(kStrings);
        return true;
    }();
    (void)registered;
}

std::string KvMsgNewsWindowString(unsigned id)
{
    Kv32RegisterMsgNewsWindowResources();
    return fw::loadString(id);
}
