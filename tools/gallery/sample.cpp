#include "sample.h"

#include "fw/core/resources.h"

#include <cstdio>
#include <string>

namespace gallery {

namespace {

using fw::ControlDef;
using fw::ControlKind;

constexpr ControlDef kOrderControls[] = {
    { fw::kStaticId, ControlKind::Label, 0, 0, "Security", "Értékpapír" },
    { 1001, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 18 },
    { fw::kStaticId, ControlKind::Label, 1, 0, "Quantity", "Mennyiség" },
    { 1002, ControlKind::Edit, 1, 1, nullptr, nullptr, 1, 2, fw::StyleRight },
    { fw::kStaticId, ControlKind::Label, 2, 0, "Price", "Ár" },
    { 1003, ControlKind::Edit, 2, 1, nullptr, nullptr, 1, 2, fw::StyleRight },
    { 1004, ControlKind::RadioButton, 3, 1, "&Buy", "&Vétel", 1, 1, fw::StyleGroup },
    { 1005, ControlKind::RadioButton, 3, 2, "&Sell", "&Eladás" },
    { 1006, ControlKind::CheckBox, 4, 1, "&Market order", "&Piaci megbízás", 1, 2 },
    { fw::kIdOk, ControlKind::DefaultButton, 5, 1, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 5, 2, "Cancel", "Mégse" },
};

constexpr fw::DialogTemplate kDialogs[] = {
    { kSampleDialog, "Order Entry", "Megbízás felvétele", kOrderControls },
};

const fw::ResourceSet kSampleSet { "gallery", {}, kDialogs };

struct Security {
    const char* code;
    const char* board;
    int bid, offer, last; // in fillér (hundredths)
    int volume;
    const char* time;
};

constexpr Security kSecurities[] = {
    { "ALFAKŐ", "Prémium", 332000, 334000, 333000, 1520, "09:02:11" },
    { "BÁRKA", "Prémium", 245000, 246000, 245500, 830, "09:04:50" },
    { "CSILLAG", "Standard", 31200, 31800, 31500, 12040, "09:11:03" },
    { "INDEX FUT", "Határidős", 6412300, 6414100, 6413000, 310, "09:12:40" },
    { "DÉLIBÁB", "Prémium", 27050, 27150, 27100, 55800, "09:13:22" },
    { "DUNAPART", "Standard", 89000, 90500, 89800, 410, "09:15:02" },
    { "ÉPÍTŐ", "Standard", 14400, 14650, 14500, 2300, "09:16:45" },
    { "FORRÁS", "Standard", 4450, 4600, 4500, 18600, "09:19:08" },
    { "GRÁNIT", "Prémium", 530000, 534000, 532000, 95, "09:21:17" },
    { "KÖRTE", "Standard", 10850, 11000, 10900, 6100, "09:22:30" },
    { "MALOM", "Prémium", 288000, 290000, 289500, 700, "09:23:55" },
    { "NAPTÁR", "Standard", 7200, 7350, 7300, 980, "09:25:41" },
    { "ORSÓ", "Prémium", 30500, 30700, 30600, 41200, "09:26:12" },
    { "PATAK", "Prémium", 152000, 153000, 152500, 2210, "09:28:37" },
    { "RÉTI", "Prémium", 124000, 126000, 125000, 640, "09:30:03" },
    { "SZÁLLÍTÓ", "Standard", 2150, 2210, 2180, 14320, "09:31:56" },
    { "TŐZSDE ETF", "ETF", 1298000, 1301000, 1299500, 120, "09:33:21" },
    { "ZÖLDMEZŐ", "Prémium", 1835000, 1850000, 1840000, 44, "09:35:48" },
};

std::string price(int v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d,%02d", v / 100, v % 100);
    return buf;
}

std::string grouped(int v)
{
    std::string digits = std::to_string(v), out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out.push_back(' ');
        out.push_back(digits[i]);
    }
    return out;
}

} // namespace

void registerSampleResources()
{
    fw::addResources(kSampleSet);
}

fw::Menu sampleMenu()
{
    using fw::Menu;
    auto t = [](const char* en, const char* hu) { return fw::resourceText(en, hu); };
    return Menu::popup("", {
        Menu::popup(t("&Session", "&Munkamenet"), { Menu::command(35940, t("Log &on...", "&Bejelentkezés...")),
                                                    Menu::command(35941, t("Log o&ff", "&Kijelentkezés")),
                                                    Menu::separator(), Menu::command(57665, t("E&xit", "&Kilépés")) }),
        Menu::popup(t("&Tables", "&Táblák"), { Menu::command(40001, t("&Securities", "Ér&tékpapírok")) }),
        Menu::popup(t("&Options", "&Beállítások"), { Menu::command(35984, t("&Zoom In", "&Nagyítás")) }),
        Menu::popup(t("&Window", "&Ablak"), { Menu::command(57650, t("&Cascade", "&Lépcsőzetes")) }),
    });
}

int SampleSource::rowCount() const
{
    return static_cast<int>(std::size(kSecurities));
}

int SampleSource::columnCount() const
{
    return 7;
}

bool SampleSource::cellStyle(int row, int col, fw::CellStyle& s) const
{
    static const char* const titles[][2] = {
        { "Security", "Értékpapír" }, { "Board", "Szekció" }, { "Bid", "Vétel" }, { "Offer", "Eladás" },
        { "Last", "Utolsó ár" },      { "Volume", "Forgalom" }, { "Time", "Idő" },
    };
    if (row < 0 || row > rowCount() || col < 0 || col > columnCount())
        return false;
    if (col == 0) {
        s.value = row == 0 ? std::string() : std::to_string(row);
        return true;
    }
    if (row == 0) {
        s.value = fw::resourceText(titles[col - 1][0], titles[col - 1][1]);
        s.bold = col == 1; // the sort column
        return true;
    }
    const Security& sec = kSecurities[row - 1];
    s.align = col >= 3 && col <= 6 ? fw::Align::Right : fw::Align::Left;
    switch (col) {
    case 1: s.value = fw::resourceText(sec.code, sec.code); break;
    case 2: s.value = fw::resourceText(sec.board, sec.board); break;
    case 3: s.value = price(sec.bid); break;
    case 4: s.value = price(sec.offer); break;
    case 5:
        s.value = price(sec.last);
        // Rising prices in green, falling in red, as a colour index would give them.
        s.text = row % 3 == 0 ? 0x000000C0u : 0x00008000u;
        break;
    case 6: s.value = grouped(sec.volume); break;
    case 7: s.value = sec.time; break;
    }
    s.fit = col >= 3 && col <= 6;
    return true;
}

} // namespace gallery
