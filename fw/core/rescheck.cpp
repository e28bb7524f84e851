#include "fw/core/rescheck.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <set>

#include "fw/core/codepage.h"

namespace fw {
namespace {

class Checker {
public:
    explicit Checker(ResourceReport& report)
        : r_(report)
    {
    }

    void error(const std::string& where, const std::string& what)
    {
        r_.errors.push_back(where + ": " + what);
    }

    void convertible(const std::string& where, const char* text)
    {
        if (text && !utf8ToCp1250(text).ok())
            error(where, "text has characters outside Windows-1250: \"" + std::string(text) + "\"");
    }

    // A text that must exist in both languages.
    void bothLanguages(const std::string& where, const char* en, const char* hu)
    {
        if (!en)
            error(where, "English text missing");
        if (!hu)
            r_.missingHungarian.push_back(where + ": Hungarian text missing"
                + (en ? " (English \"" + std::string(en) + "\")" : std::string()));
        convertible(where, en);
        convertible(where, hu);
    }

    // A caption that may be absent, but then in both languages.
    void optionalCaption(const std::string& where, const char* en, const char* hu)
    {
        if (!en && !hu)
            return;
        bothLanguages(where, en, hu);
    }

private:
    ResourceReport& r_;
};

std::string idText(const char* what, std::uint32_t id)
{
    return std::string(what) + " " + std::to_string(id);
}

void checkDialog(Checker& c, const DialogTemplate& d)
{
    const std::string where = idText("dialog", d.id);
    c.bothLanguages(where + " title", d.titleEn, d.titleHu);
    std::set<std::uint32_t> ids;
    struct Cell {
        int row, col;
        bool operator<(const Cell& o) const { return row != o.row ? row < o.row : col < o.col; }
    };
    std::map<Cell, std::uint32_t> cells;
    for (const auto& ctl : d.controls) {
        const std::string cw = where + " control " + std::to_string(ctl.id);
        if (ctl.id != kStaticId && !ids.insert(ctl.id).second)
            c.error(cw, "duplicate control id");
        c.optionalCaption(cw, ctl.en, ctl.hu);
        if (ctl.row < 0 || ctl.col < 0 || ctl.rowSpan < 1 || ctl.colSpan < 1) {
            c.error(cw, "invalid grid cell");
            continue;
        }
        // Group boxes frame other controls and hidden controls share a cell on purpose.
        if (ctl.kind == ControlKind::GroupBox || (ctl.style & StyleHidden))
            continue;
        for (int r = ctl.row; r < ctl.row + ctl.rowSpan; ++r) {
            for (int k = ctl.col; k < ctl.col + ctl.colSpan; ++k) {
                auto [it, fresh] = cells.emplace(Cell { r, k }, ctl.id);
                if (!fresh)
                    c.error(cw,
                        "cell (" + std::to_string(r) + "," + std::to_string(k) + ") already holds control "
                            + std::to_string(it->second));
            }
        }
    }
}

void checkMenu(Checker& c, const MenuTemplate& m)
{
    const std::string where = idText("menu", m.id);
    int prevDepth = -1;
    bool prevPopup = false;
    for (std::size_t i = 0; i < m.entries.size(); ++i) {
        const MenuEntry& e = m.entries[i];
        const std::string ew = where + " entry " + std::to_string(i);
        const int depth = e.depth;
        if (depth > prevDepth + 1 || (depth == prevDepth + 1 && i > 0 && !prevPopup)
            || (i == 0 && depth != 0))
            c.error(ew, "depth " + std::to_string(depth) + " does not follow a popup");
        if (e.kind == MenuEntryKind::Popup) {
            const bool hasChild = i + 1 < m.entries.size() && m.entries[i + 1].depth == depth + 1;
            if (!hasChild)
                c.error(ew, "empty popup");
        }
        switch (e.kind) {
        case MenuEntryKind::Command:
            if (e.id == 0)
                c.error(ew, "command without an id");
            c.bothLanguages(ew + " (command " + std::to_string(e.id) + ")", e.en, e.hu);
            break;
        case MenuEntryKind::Popup:
            c.bothLanguages(ew + " (popup)", e.en, e.hu);
            break;
        case MenuEntryKind::Separator:
            break;
        }
        prevDepth = depth;
        prevPopup = e.kind == MenuEntryKind::Popup;
    }
}

void checkAccels(Checker& c, const AccelTable& t)
{
    const std::string where = idText("accelerator table", t.id);
    std::set<std::pair<std::uint8_t, std::uint16_t>> keys;
    for (const auto& a : t.entries) {
        const std::string aw = where + " key " + accelKeyName(a);
        if (a.cmd == 0)
            c.error(aw, "no command");
        const auto mods
            = static_cast<std::uint8_t>(a.flags & (AccelVirtKey | AccelShift | AccelControl | AccelAlt));
        if (!keys.insert({ mods, a.key }).second)
            c.error(aw, "key assigned twice");
    }
}

// An XPM picture: "width height colours chars-per-pixel", the colour lines, then one line per
// pixel row of exactly width * chars-per-pixel characters.
void checkIcon(Checker& c, const IconResource& icon)
{
    const std::string where = idText("icon", icon.id);
    int w = 0, h = 0, colours = 0, cpp = 0;
    if (icon.xpm.empty() || !icon.xpm[0]
        || std::sscanf(icon.xpm[0], "%d %d %d %d", &w, &h, &colours, &cpp) != 4 || w <= 0 || h <= 0
        || colours <= 0 || cpp <= 0) {
        c.error(where, "no XPM header");
        return;
    }
    if (icon.xpm.size() != static_cast<std::size_t>(1 + colours + h)) {
        c.error(where, "XPM has " + std::to_string(icon.xpm.size()) + " lines, header asks for "
                + std::to_string(1 + colours + h));
        return;
    }
    for (int row = 0; row < h; ++row) {
        const char* line = icon.xpm[static_cast<std::size_t>(1 + colours + row)];
        if (!line || std::strlen(line) != static_cast<std::size_t>(w * cpp))
            c.error(where, "XPM row " + std::to_string(row) + " is not " + std::to_string(w) + " pixels wide");
    }
}

template <class Get>
void checkUnique(Checker& c, std::span<const ResourceSet> sets, const char* what, Get get)
{
    std::map<std::uint32_t, const char*> seen;
    for (const auto& s : sets) {
        for (const auto& item : get(s)) {
            auto [it, fresh] = seen.emplace(item.id, s.module);
            if (!fresh)
                c.error(idText(what, item.id),
                    std::string("defined twice (") + it->second + ", " + s.module + ")");
        }
    }
}

template <class Get>
void checkUsed(Checker& c, std::span<const ResourceSet> sets, std::span<const std::uint32_t> used,
    const char* what, Get get)
{
    std::set<std::uint32_t> have;
    for (const auto& s : sets)
        for (const auto& item : get(s))
            have.insert(item.id);
    for (auto id : used)
        if (!have.count(id))
            c.error(idText(what, id), "used by code but not defined");
}

} // namespace

std::string ResourceReport::text() const
{
    std::string out;
    for (const auto& e : errors)
        out += "error: " + e + "\n";
    for (const auto& m : missingHungarian)
        out += "untranslated: " + m + "\n";
    return out;
}

ResourceReport checkResources(std::span<const ResourceSet> sets, const UsedIds& used)
{
    ResourceReport report;
    Checker c(report);
    const auto strings = [](const ResourceSet& s) { return s.strings; };
    const auto dialogs = [](const ResourceSet& s) { return s.dialogs; };
    const auto menus = [](const ResourceSet& s) { return s.menus; };
    const auto accels = [](const ResourceSet& s) { return s.accels; };
    const auto icons = [](const ResourceSet& s) { return s.icons; };

    checkUnique(c, sets, "string", strings);
    checkUnique(c, sets, "dialog", dialogs);
    checkUnique(c, sets, "menu", menus);
    checkUnique(c, sets, "accelerator table", accels);
    checkUnique(c, sets, "icon", icons);

    for (const auto& s : sets) {
        for (const auto& e : s.strings)
            c.bothLanguages(idText("string", e.id), e.en, e.hu);
        for (const auto& d : s.dialogs)
            checkDialog(c, d);
        for (const auto& m : s.menus)
            checkMenu(c, m);
        for (const auto& t : s.accels)
            checkAccels(c, t);
        for (const auto& i : s.icons)
            checkIcon(c, i);
    }

    checkUsed(c, sets, used.strings, "string", strings);
    checkUsed(c, sets, used.dialogs, "dialog", dialogs);
    checkUsed(c, sets, used.menus, "menu", menus);
    checkUsed(c, sets, used.accels, "accelerator table", accels);
    for (const auto& ref : used.controls) {
        const DialogTemplate* found = nullptr;
        for (const auto& s : sets)
            for (const auto& d : s.dialogs)
                if (d.id == ref.dialog)
                    found = &d;
        bool has = false;
        if (found)
            for (const auto& ctl : found->controls)
                has = has || ctl.id == ref.control;
        if (!has)
            c.error(idText("dialog", ref.dialog) + " control " + std::to_string(ref.control),
                "used by code but not defined");
    }
    return report;
}

} // namespace fw
