#include "kv32/filters/dialogs/filter_rules.h"

#include <algorithm>

#include "fw/core/resources.h"
#include "kv32/res/filter_dialog_ids.h"
#include "kvcore/values/field_writer.h"

namespace {

bool Contains(const std::vector<uint32_t>& ids, uint32_t id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

bool Digits(std::string_view text)
{
    return !text.empty()
        && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Number(std::string_view digits)
{
    int value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

std::string Stripped(std::string_view text)
{
    const size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

} // namespace

std::vector<KvControlState> FilterControlStates(const KvFilterForm& form, std::span<const uint32_t> controls,
    bool noFiltering, const std::function<bool(uint32_t allId)>& isChecked)
{
    std::vector<KvControlState> states;
    states.reserve(controls.size());
    for (uint32_t id : controls) {
        const bool picker = Contains(form.pickers, id);
        if (noFiltering) {
            const bool keep = id == form.noFilteringId || id == fw::kIdOk || id == fw::kIdCancel;
            states.push_back({ id, keep, !picker });
            continue;
        }
        bool enabled = true;
        for (const KvFilterList& list : form.lists)
            if (list.listId == id && isChecked(list.allId))
                enabled = false;
        states.push_back({ id, enabled, true });
    }
    return states;
}

CDateTime FilterBoundShown(const CDateTime& bound, bool upper)
{
    if (bound.IsValid())
        return bound;
    return upper ? CDateTime::GetMaxTime() : CDateTime::GetMinTime();
}

CDateTime FilterTimeStored(const CDateTime& shown, std::string_view hhmmss)
{
    CDateTime stored;
    if (!shown.IsValid() || hhmmss.size() != 6 || !Digits(hhmmss))
        return stored;
    stored.SetDateTime(shown.GetYear(), shown.GetMonth(), shown.GetDay(), Number(hhmmss.substr(0, 2)),
        Number(hhmmss.substr(2, 2)), Number(hhmmss.substr(4, 2)));
    return stored;
}

CDateTime FilterDateStored(int year, int month, int day, bool upper)
{
    CDateTime stored;
    if (upper)
        stored.SetDateTime(year, month, day, 23, 59, 59);
    else
        stored.SetDateTime(year, month, day, 0, 0, 0);
    return stored;
}

KvCurPosShown CurPosShown(int kind)
{
    return { kind == 1 || kind == 2, kind == 2 };
}

KvSecPosCheck CheckSecPosChoice(bool firmChosen, bool accountChosen)
{
    if (!firmChosen)
        return { IDS_FIRM_NOT_SELECTED, IDC_FLT_FIRMS };
    if (!accountChosen)
        return { IDS_TRADING_ACCOUNT_NOT_SELECTED, IDC_FLT_ACCOUNTS };
    return { 0, 0 };
}

std::string BuildTrAccRequestKey(std::string_view user, std::string_view continuation, std::string_view firm)
{
    KvFieldWriter w;
    w.TextCut(user, 12).Text(continuation, 8).Text(firm, 12);
    if (continuation.size() != 8)
        return {};
    return w.Str();
}

bool DecodeTrAccPage(std::string_view record, KvTrAccPage& page)
{
    constexpr size_t kRowsAt = 27;
    constexpr size_t kRowWidth = 13;
    if (record.size() < kRowsAt || !Digits(record.substr(21, 6)))
        return false;
    const size_t count = static_cast<size_t>(Number(record.substr(21, 6)));
    if (record.size() < kRowsAt + count * kRowWidth)
        return false;
    KvTrAccPage read;
    read.continuation = std::string(record.substr(0, 8));
    read.last = record[20] == '1';
    for (size_t i = 0; i < count; ++i) {
        const std::string_view row = record.substr(kRowsAt + i * kRowWidth, kRowWidth);
        read.rows.push_back({ Stripped(row.substr(0, 12)), row[12] });
    }
    page = std::move(read);
    return true;
}
