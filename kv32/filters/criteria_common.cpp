#include "kv32/filters/criteria_common.h"

#include <algorithm>
#include <cstring>

#include "fw/core/archive_throw.h"
#include "kv32/res/criteria_strings.h"
#include "kv32/tables/alert_file_codec.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/order_table.h"

namespace criteria {

namespace {
constexpr size_t kKeyWidth = 17;
constexpr size_t kBoardAt = 1, kBoardWidth = 4;
constexpr size_t kInstrumentAt = 5, kInstrumentWidth = 12;

// The bytes of a key field from `at`, at most `width`, up to a NUL.
std::string_view KeyPart(const char* key, size_t at, size_t width)
{
    if (key == nullptr)
        return {};
    const size_t length = strnlen(key, kKeyWidth);
    if (length <= at)
        return {};
    return std::string_view(key + at, std::min(width, length - at));
}
} // namespace

std::string_view BoardOfKey(const char* key)
{
    std::string_view code = KeyPart(key, kBoardAt, kBoardWidth);
    while (!code.empty() && code.back() == ' ')
        code.remove_suffix(1);
    return code;
}

bool SecurityListed(const RowList& securities, const char* key)
{
    CSecurityTable& table = SecurityTable();
    const std::string_view instrument = KeyPart(key, kInstrumentAt, kInstrumentWidth);
    for (const int row : securities) {
        if (row >= 0 && row < table.GetCount()
            && KeyPart(table.GetRec(row)->szCode, kInstrumentAt, kInstrumentWidth) == instrument)
            return true;
    }
    return false;
}

bool BoardListed(const RowList& boards, std::string_view boardCode)
{
    if (boards.empty())
        return false;
    const std::string code(boardCode.substr(0, std::min(boardCode.find('\0'), kBoardWidth)));
    const int row = BoardTable().FindByCode(code.c_str());
    return row >= 0 && std::find(boards.begin(), boards.end(), row) != boards.end();
}

bool TextListed(const TextList& texts, std::string_view text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

bool InNumberRange(uint32_t lowest, uint32_t highest, uint32_t number)
{
    return (lowest == 0 || lowest <= number) && (highest == 0 || highest >= number);
}

CDateTime OnSameDay(const CDateTime& day, const CDateTime& timeOfDay)
{
    return CDateTime(day.GetYear(), day.GetMonth(), day.GetDay(), timeOfDay.GetHour(), timeOfDay.GetMinute(),
        timeOfDay.GetSecond());
}

bool InTimeOfDayWindow(const CDateTime& from, const CDateTime& to, const CDateTime& when)
{
    if (!when.IsValid())
        return true;
    if (from.IsValid() && OnSameDay(when, from) > when)
        return false;
    if (to.IsValid() && OnSameDay(when, to) < when)
        return false;
    return true;
}

bool SideShown(std::string_view side, const CTextSet& names, int32_t showBuy, int32_t showSell)
{
    if (names[0] == side)
        return showBuy != 0;
    return names[1] != side || showSell != 0;
}

bool StatusShown(std::string_view status, const CTextSet& names, std::initializer_list<int32_t> shown)
{
    size_t i = 0;
    for (const int32_t show : shown) {
        if (names[i++] == status)
            return show != 0;
    }
    return true;
}

bool FlagsShown(std::string_view flags, const OrderFlagSwitches& shown)
{
    auto flag = [&](int i) { return COrderTable::TestFlag(flags, i); };
    const struct {
        bool set;
        int32_t shown;
    } tests[] = {
        { flag(0), shown.market },
        { flag(1), shown.limit },
        { flag(12), shown.stop },
        { !flag(12), shown.notStop },
        { flag(15) && !flag(28), shown.allOrNone },
        { flag(28) && flag(15), shown.fillOrKill },
        { flag(28) && flag(17), shown.fillAndCancel },
        { flag(17), shown.fillAny },
        { flag(13), shown.flag13 },
        { flag(5), shown.marketMaker },
        { flag(24), shown.session },
        { flag(25), shown.day },
        { flag(27), shown.goodTillCancelled },
        { flag(26), shown.goodTillDate },
        { flag(23), shown.goodTillTime },
    };
    for (const auto& test : tests) {
        if (test.set && test.shown == 0)
            return false;
    }
    return true;
}

void SerializeWord(fw::Archive& ar, int32_t& value)
{
    if (ar.isStoring())
        ar.writeWord(static_cast<uint16_t>(value & 0xFFFF));
    else
        value = ar.readWord();
}

void SerializeDWord(fw::Archive& ar, uint32_t& value)
{
    if (ar.isStoring())
        ar.writeDWord(value);
    else
        value = ar.readDWord();
}

void SerializeSecurities(fw::Archive& ar, int32_t& all, RowList& securities)
{
    SerializeWord(ar, all);
    if (all == 0 && SecurityTable().SerializeSelection(ar, securities) == 0)
        fw::throwArchiveError(fw::ArchiveError::Cause::EndOfFile, "criteria: security selection cut short");
}

void SerializeBoards(fw::Archive& ar, int32_t& all, RowList& boards)
{
    SerializeWord(ar, all);
    if (all == 0 && BoardTable().SerializeSelection(ar, boards) == 0)
        fw::throwArchiveError(fw::ArchiveError::Cause::EndOfFile, "criteria: board selection cut short");
}

void SerializeTextList(fw::Archive& ar, TextList& texts)
{
    if (ar.isStoring()) {
        ar.writeCount(static_cast<uint32_t>(texts.size()));
        for (const std::string& text : texts)
            ar.writeString(text);
        return;
    }
    const uint32_t count = ar.readCount(1);
    TextList loaded;
    loaded.reserve(count);
    for (uint32_t i = 0; i < count; ++i)
        loaded.push_back(ar.readString());
    texts = std::move(loaded);
}

void SerializeTexts(fw::Archive& ar, int32_t& all, TextList& texts)
{
    SerializeWord(ar, all);
    if (all == 0)
        SerializeTextList(ar, texts);
}

void SerializeDateTime(fw::Archive& ar, CDateTime& value)
{
    if (ar.isStoring()) {
        ar.writeLong(static_cast<int32_t>(value.GetStatus()));
        ar.writeDouble(OleDateOf(value));
        return;
    }
    const int32_t status = ar.readLong();
    const double days = ar.readDouble();
    if (status == CDateTime::valid) {
        value = DateTimeOfOle(days);
    } else {
        value = CDateTime();
        value.SetStatus(status == CDateTime::null ? CDateTime::null : CDateTime::invalid);
    }
}

void SerializeString(fw::Archive& ar, std::string& text)
{
    if (ar.isStoring())
        ar.writeString(text);
    else
        text = ar.readString();
}

void SerializeInt64(fw::Archive& ar, int64_t& value)
{
    if (ar.isStoring()) {
        const auto bits = static_cast<uint64_t>(value);
        ar.writeDWord(static_cast<uint32_t>(bits));
        ar.writeDWord(static_cast<uint32_t>(bits >> 32));
        return;
    }
    const uint64_t low = ar.readDWord();
    const uint64_t high = ar.readDWord();
    value = static_cast<int64_t>(low | (high << 32));
}

std::string SecurityShortName(int row)
{
    CSecurityTable& table = SecurityTable();
    return row >= 0 && row < table.GetCount() ? std::string(table.GetRec(row)->szShortName) : std::string();
}

std::string BoardName(int row)
{
    CBoardTable& table = BoardTable();
    return row >= 0 && row < table.GetCount() ? std::string(table.GetRec(row)->szName) : std::string();
}

std::string BoundText(uint32_t stringId, std::string_view value)
{
    std::string text = Kv32CriteriaString(stringId);
    if (const size_t at = text.find("%ld"); at != std::string::npos)
        text.replace(at, 3, value);
    return text;
}

void AppendDescription(std::string& title, const std::string& text)
{
    title += ' ';
    title += text.empty() ? Kv32CriteriaString(IDS_FILTERED) : text;
}

std::string SecurityAndBoard(
    int32_t allSecurities, const RowList& securities, int32_t allBoards, const RowList& boards)
{
    std::string text;
    if (allSecurities == 0 && securities.size() == 1)
        text += SecurityShortName(securities[0]);
    if (allBoards == 0 && boards.size() == 1)
        text += "/" + BoardName(boards[0]);
    return text;
}

} // namespace criteria
