// gallery_choosers <output folder>: renders the core library's choose-and-order dialogs to PNG,
// in English and Hungarian, offscreen: the popup editor over a sample table menu with part of
// the items chosen, and the "Shortcut Keys" page of the customisation sheet with a command
// and its keys selected, and the dialog that takes a new key.
#include "shot.h"

#include "fw/core/resources.h"
#include "fw/core/strings.h"
#include "fw/ui/propertysheet.h"
#include "fw/ui/text.h"
#include "kvcore/dialogs/chooser_ids.h"
#include "kvcore/dialogs/menu_items_dlg.h"
#include "kvcore/dialogs/shortcut_keys_page.h"
#include "kvcore/ui/hot_key_edit.h"

#include <QDir>

namespace {

constexpr unsigned kOrdersTable = 4301;
constexpr unsigned kRefresh = 35968;

using fw::MenuEntryKind;
constexpr fw::MenuEntry kOrdersMenu[] = {
    { 0, MenuEntryKind::Command, 501, "&Buy...", "&Vétel..." },
    { 0, MenuEntryKind::Command, 502, "&Sell...", "&Eladás..." },
    { 0, MenuEntryKind::Separator },
    { 0, MenuEntryKind::Command, 503, "&Modify...", "&Módosítás..." },
    { 0, MenuEntryKind::Command, 504, "&Delete", "&Törlés" },
    { 0, MenuEntryKind::Separator },
    { 0, MenuEntryKind::Command, 505, "Order &Details...", "Megbízás &részletei..." },
    { 0, MenuEntryKind::Command, 506, "&Print", "&Nyomtatás" },
};
constexpr fw::MenuTemplate kMenus[] = { { kOrdersTable, kOrdersMenu } };
constexpr fw::StringEntry kStrings[] = { { kOrdersTable, "Orders", "Megbízások" } };
const fw::ResourceSet kSample { "gallery-choosers", kStrings, {}, kMenus };

bool renderPopupEditor(const QDir& out, const char* lang)
{
    std::vector<std::uint16_t> definition = { 0, 1, 2, 6 };
    CMenuItemsDlg dlg(kOrdersTable, &definition);
    dlg.initialize();
    dlg.setSel(IDC_SELECT_AVAILABLE, 3);
    dlg.setSel(IDC_SELECT_CHOSEN, 3);
    dlg.adjustSize();
    dlg.show();
    const bool ok = gallery::save(dlg, out.filePath(QStringLiteral("popup-editor-%1.png").arg(lang)));
    dlg.hide();
    return ok;
}

KvCommandList SampleCommands()
{
    const struct {
        std::uint32_t id;
        const char* en;
        const char* hu;
        const char* enText;
        const char* huText;
    } commands[] = {
        { 35940, "Log on", "Bejelentkezés", "Log on to the trading system", "Bejelentkezés a kereskedési rendszerbe" },
        { 35941, "Log off", "Kijelentkezés", "Log off from the trading system",
            "Kijelentkezés a kereskedési rendszerből" },
        { kRefresh, "Refresh", "Frissítés", "Refresh the data of the active window",
            "Az aktív ablak adatainak frissítése" },
        { 35999, "Sort By", "Rendezés", "Sort the active table", "Az aktív táblázat rendezése" },
        { 35984, "Zoom In", "Nagyítás", "Zoom in the active table", "Az aktív táblázat nagyítása" },
        { 35951, "Customize", "Testreszabás", "Customize bench setup", "A munkaállomás testreszabása" },
    };
    KvCommandList list;
    for (const auto& c : commands)
        list.push_back({ c.id, fw::resourceText(c.en, c.hu), fw::resourceText(c.enText, c.huText) });
    return list;
}

bool renderShortcutKeys(const QDir& out, const char* lang)
{
    KvShortcutTable table { { { fw::AccelVirtKey, static_cast<std::uint16_t>(fw::vk::F1 + 4), kRefresh },
        { static_cast<std::uint8_t>(fw::AccelVirtKey | fw::AccelControl), 'R', kRefresh }, { fw::AccelVirtKey, static_cast<std::uint16_t>(fw::vk::F1 + 1), 35940 } } };
    const KvCommandList commands = SampleCommands();
    CShortcutKeysPage page(commands, table, {});
    fw::PropertySheet sheet(fw::resourceText("Customize", "Testreszabás"));
    sheet.addPage(page);
    sheet.initialize();
    for (int i = 0; i < page.itemCount(IDC_SHORTCUT_MACROS); ++i)
        if (page.itemData(IDC_SHORTCUT_MACROS, i) == kRefresh)
            page.userSelect(IDC_SHORTCUT_MACROS, i);
    page.setCurSel(IDC_SHORTCUT_ASSIGNED, 1);
    sheet.adjustSize();
    sheet.show();
    bool ok = gallery::save(sheet, out.filePath(QStringLiteral("shortcut-keys-%1.png").arg(lang)));
    sheet.hide();

    KvShortcutKeys keys(commands, table.m_entries, {});
    CAssignShortcutDlg assign(keys);
    assign.initialize();
    if (auto* field = assign.itemAs<KvHotKeyEdit>(IDC_SHORTCUT_NEW_KEY))
        field->SetKey({ fw::AccelVirtKey, static_cast<std::uint16_t>(fw::vk::F1 + 1), 0 });
    assign.adjustSize();
    assign.show();
    ok &= gallery::save(assign, out.filePath(QStringLiteral("assign-shortcut-%1.png").arg(lang)));
    assign.hide();
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    auto prepare = [] {
        fw::addResources(kSample);
        return true;
    };
    auto render = [](const QDir& out, const char* lang, const fw::LocaleInfo&) {
        bool ok = renderPopupEditor(out, lang);
        ok &= renderShortcutKeys(out, lang);
        return ok;
    };
    return gallery::runGallery(argc, argv, "gallery_choosers", prepare, render);
}
