#include "sample.h"

#include "fw/core/resources.h"
#include "fw/ui/datetimefield.h"

#include <QDateTime>
#include <QLocale>
#include <cstdio>
#include <string>

namespace gallery {

namespace {

using fw::ControlDef;
using fw::ControlKind;

// The order dialog shows labels that give the next control its key, and edits with limits.
constexpr ControlDef kOrderControls[] = {
    { fw::kStaticId, ControlKind::Label, 0, 0, "&Security", "Érték&papír" },
    { 1001, ControlKind::ComboList, 0, 1, nullptr, nullptr, 1, 2, fw::StyleNone, 18 },
    { fw::kStaticId, ControlKind::Label, 1, 0, "&Quantity", "&Mennyiség" },
    { 1002, ControlKind::Edit, 1, 1, nullptr, nullptr, 1, 2, fw::StyleRight, 0, 9 },
    { fw::kStaticId, ControlKind::Label, 2, 0, "&Price", "Á&r" },
    { 1003, ControlKind::Edit, 2, 1, nullptr, nullptr, 1, 2, fw::StyleRight, 0, 12 },
    { fw::kStaticId, ControlKind::Label, 3, 0, "&Valid until", "É&rvényes" },
    { 1007, ControlKind::DateTime, 3, 1, nullptr, nullptr, 1, 2, fw::StyleAllowBlank },
    { 1004, ControlKind::RadioButton, 4, 1, "&Buy", "&Vétel", 1, 1, fw::StyleGroup },
    { 1005, ControlKind::RadioButton, 4, 2, "S&ell", "&Eladás" },
    { 1006, ControlKind::CheckBox, 5, 1, "&Market order", "P&iaci megbízás", 1, 2 },
    { fw::kIdOk, ControlKind::DefaultButton, 6, 1, "OK", "OK" },
    { fw::kIdCancel, ControlKind::Button, 6, 2, "Cancel", "Mégse" },
};

constexpr fw::DialogTemplate kDialogs[] = {
    { kSampleDialog, "Order Entry", "Megbízás felvétele", kOrderControls },
};

// One text per command: the menu shows it, the command bar shows it without its key mark.
struct CommandText {
    uint32_t id;
    const char* en;
    const char* hu;
};
constexpr CommandText kCommands[] = {
    { kLogOn, "Log &on...", "&Bejelentkezés..." },
    { kLogOff, "Log o&ff", "&Kijelentkezés" },
    { 57665, "E&xit", "&Kilépés" },
    { 40001, "&Securities", "Ér&tékpapírok" },
    { kZoomIn, "&Zoom In", "&Nagyítás" },
    { 57650, "&Cascade", "&Lépcsőzetes" },
};

constexpr const char* kLogOnIcon[] = {
    "16 16 4 1",
    ". c None",
    "k c #404040",
    "w c #F0E6C8",
    "g c #2E9E44",
    "................",
    ".........kkkkkk.",
    ".........kwwwwk.",
    ".........kwwwwk.",
    "......g..kwwwwk.",
    "......gg.kwwwwk.",
    "......gggkwwwwk.",
    ".gggggggggwwwwk.",
    ".gggggggggwwwwk.",
    "......gggkwwwwk.",
    "......gg.kwwwwk.",
    "......g..kwwwwk.",
    ".........kwwwwk.",
    ".........kwwwwk.",
    ".........kkkkkk.",
    "................"
};

constexpr const char* kLogOffIcon[] = {
    "16 16 4 1",
    ". c None",
    "k c #404040",
    "w c #F0E6C8",
    "r c #C8382E",
    "................",
    ".kkkkkk.........",
    ".kwwwwk.........",
    ".kwwwwk.........",
    ".kwwwwk...r.....",
    ".kwwwwk...rr....",
    ".kwwwwk...rrr...",
    ".kwwrrrrrrrrrr..",
    ".kwwrrrrrrrrrr..",
    ".kwwwwk...rrr...",
    ".kwwwwk...rr....",
    ".kwwwwk...r.....",
    ".kwwwwk.........",
    ".kwwwwk.........",
    ".kkkkkk.........",
    "................"
};

constexpr const char* kZoomInIcon[] = {
    "16 16 4 1",
    ". c None",
    "k c #303030",
    "w c #DDEBF7",
    "b c #1F5FA8",
    "................",
    ".....kkk........",
    "...kkkkkkk......",
    "..kkkwwwkkk.....",
    "..kkwbbbwkk.....",
    ".kkwbbbbbwkk....",
    ".kkwbbbbbwkk....",
    ".kkwbbbbbwkk....",
    "..kkwbbbwkk.....",
    "..kkkwwwkkk.....",
    "...kkkkkkkkk....",
    ".....kkk...kk...",
    "............kk..",
    ".............kk.",
    "..............kk",
    "................"
};

constexpr fw::IconResource kIcons[] = {
    { kLogOn, kLogOnIcon },
    { kLogOff, kLogOffIcon },
    { kZoomIn, kZoomInIcon },
};

const fw::ResourceSet kSampleSet { "gallery", {}, kDialogs, {}, {}, kIcons };

struct Security {
    const char* code;
    int board; // index into kBoards
    int bid, offer, last; // in hundredths
    int volume;
    int seconds; // time of the last trade, seconds after midnight
};

constexpr const char* kBoards[][2] = {
    { "Premium", "Prémium" }, { "Standard", "Standard" }, { "Futures", "Határidős" }, { "ETF", "ETF" },
};

constexpr int t(int h, int m, int s) { return h * 3600 + m * 60 + s; }

constexpr Security kSecurities[] = {
    { "ALFAKŐ", 0, 332000, 334000, 333000, 1520, t(9, 2, 11) },
    { "BÁRKA", 0, 245000, 246000, 245500, 830, t(9, 4, 50) },
    { "CSILLAG", 1, 31200, 31800, 31500, 12040, t(9, 11, 3) },
    { "INDEX FUT", 2, 6412300, 6414100, 6413000, 310, t(9, 12, 40) },
    { "DÉLIBÁB", 0, 27050, 27150, 27100, 55800, t(9, 13, 22) },
    { "DUNAPART", 1, 89000, 90500, 89800, 410, t(9, 15, 2) },
    { "ÉPÍTŐ", 1, 14400, 14650, 14500, 2300, t(9, 16, 45) },
    { "FORRÁS", 1, 4450, 4600, 4500, 18600, t(9, 19, 8) },
    { "GRÁNIT", 0, 530000, 534000, 532000, 95, t(9, 21, 17) },
    { "KÖRTE", 1, 10850, 11000, 10900, 6100, t(9, 22, 30) },
    { "MALOM", 0, 288000, 290000, 289500, 700, t(9, 23, 55) },
    { "NAPTÁR", 1, 7200, 7350, 7300, 980, t(9, 25, 41) },
    { "ÖDÖN", 0, 30500, 30700, 30600, 41200, t(9, 26, 12) },
    { "PATAK", 0, 152000, 153000, 152500, 2210, t(9, 28, 37) },
    { "RÉTI", 0, 124000, 126000, 125000, 640, t(9, 30, 3) },
    { "SZÁLLÍTÓ", 1, 2150, 2210, 2180, 14320, t(9, 31, 56) },
    { "TŐZSDE ETF", 3, 1298000, 1301000, 1299500, 120, t(9, 33, 21) },
    { "ZÖLDMEZŐ", 0, 1835000, 1850000, 1840000, 44, t(9, 35, 48) },
};

// Digits grouped by threes with the locale's separator.
std::string grouped(long long v, const std::string& sep)
{
    std::string digits = std::to_string(v), out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += sep;
        out.push_back(digits[i]);
    }
    return out;
}

} // namespace

void registerSampleResources()
{
    fw::addResources(kSampleSet);
}

std::string commandText(uint32_t id)
{
    for (const CommandText& c : kCommands)
        if (c.id == id)
            return fw::resourceText(c.en, c.hu);
    return std::to_string(id);
}

std::string buttonText(uint32_t id)
{
    std::string text;
    for (char c : commandText(id))
        if (c != '&')
            text.push_back(c);
    if (text.size() > 3 && text.compare(text.size() - 3, 3, "...") == 0)
        text.resize(text.size() - 3);
    return text;
}

fw::Menu sampleMenu()
{
    using fw::Menu;
    auto tx = [](const char* en, const char* hu) { return fw::resourceText(en, hu); };
    auto cmd = [](uint32_t id) { return Menu::command(id, commandText(id)); };
    return Menu::popup("", {
        Menu::popup(tx("&Session", "&Munkamenet"), { cmd(kLogOn), cmd(kLogOff), Menu::separator(), cmd(57665) }),
        Menu::popup(tx("&Tables", "&Táblák"), { cmd(40001) }),
        Menu::popup(tx("&Options", "&Beállítások"), { cmd(kZoomIn) }),
        Menu::popup(tx("&Window", "&Ablak"), { cmd(57650) }),
    });
}

std::string price(int hundredths)
{
    const fw::LocaleInfo& l = fw::displayLocale();
    char cents[8];
    std::snprintf(cents, sizeof cents, "%02d", hundredths % 100);
    return grouped(hundredths / 100, l.thousandSep) + l.decimalSep + cents;
}

std::string volume(int v)
{
    return grouped(v, fw::displayLocale().thousandSep);
}

std::string formatMoment(const QDateTime& moment, bool time)
{
    const fw::LocaleInfo& l = fw::displayLocale();
    QLocale q(l.languageId == fw::kLangHungarian ? QLocale::Hungarian : QLocale::English,
              l.languageId == fw::kLangHungarian ? QLocale::Hungary : QLocale::UnitedStates);
    QString text = q.toString(moment, fw::qtDateTimeFormat(time ? l.timeFormat : l.shortDate));
    return fw::resourceText(text.toUtf8().constData(), nullptr);
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
    case 1: s.value = fw::resourceText(sec.code, nullptr); break;
    case 2: s.value = fw::resourceText(kBoards[sec.board][0], kBoards[sec.board][1]); break;
    case 3: s.value = price(sec.bid); break;
    case 4: s.value = price(sec.offer); break;
    case 5:
        s.value = price(sec.last);
        // Rising prices in green, falling in red, as a colour index would give them.
        s.text = row % 3 == 0 ? 0x000000C0u : 0x00008000u;
        break;
    case 6: s.value = volume(sec.volume); break;
    case 7:
        s.value = formatMoment(QDateTime(QDate(2026, 12, 10), QTime(0, 0).addSecs(sec.seconds)), true);
        break;
    }
    s.fit = col >= 3 && col <= 6;
    return true;
}

} // namespace gallery
