#include "kv32/dialogs/supervision/schedule_entry_form.h"

#include "kv32/shell/request_fields.h"
#include "kvcore/values/digit_text.h"

namespace {

constexpr int kUserWidth = 12;
constexpr int kNameWidth = 12;
constexpr size_t kCountOffset = 10;
constexpr size_t kCountWidth = 3;

} // namespace

std::string TransitionRequestKey(std::string_view user)
{
    KvFieldWriter w;
    w.TextCut(user, kUserWidth).Raw("0000000000");
    return w.Str();
}

std::vector<std::string> DecodeTransitions(std::string_view message)
{
    if (message.size() < kCountOffset + kCountWidth)
        return {};
    const std::string_view countText = message.substr(kCountOffset, kCountWidth);
    if (!AllDigitsNonEmpty(countText))
        return {};
    const int count = (countText[0] - '0') * 100 + (countText[1] - '0') * 10 + (countText[2] - '0');
    const size_t room = (message.size() - kCountOffset - kCountWidth) / kNameWidth;
    std::vector<std::string> names;
    for (size_t i = 0; i < static_cast<size_t>(count) && i < room; ++i) {
        std::string_view name = message.substr(kCountOffset + kCountWidth + i * kNameWidth, kNameWidth);
        const size_t last = name.find_last_not_of(' ');
        names.emplace_back(last == std::string_view::npos ? std::string_view() : name.substr(0, last + 1));
    }
    return names;
}

int SecondsOfDay(std::string_view t)
{
    if (t.size() != 6 || !AllDigitsNonEmpty(t))
        return -1;
    const int h = (t[0] - '0') * 10 + (t[1] - '0');
    const int m = (t[2] - '0') * 10 + (t[3] - '0');
    const int s = (t[4] - '0') * 10 + (t[5] - '0');
    if (h > 23 || m > 59 || s > 59)
        return -1;
    return h * 3600 + m * 60 + s;
}

bool ScheduleTimeIsPast(std::string_view eventTime, std::string_view now)
{
    const int event = SecondsOfDay(eventTime);
    const int current = SecondsOfDay(now);
    return event >= 0 && current >= 0 && current > event;
}

std::string BuildScheduleRecord(std::string_view user, const CScheduleEntry& e, char operatorCode)
{
    if (SecondsOfDay(e.time) < 0 || e.priority < 0 || e.priority > 99)
        return {};
    KvFieldWriter w;
    w.TextCut(user, kUserWidth).Char(operatorCode);
    AppendPaddedField(w, 6, e.time, false);
    w.Number(e.priority, 2);
    AppendPaddedField(w, kNameWidth, e.transition, false);
    AppendPaddedField(w, 4, e.board, false);
    AppendPaddedField(w, 4, e.instrument, false);
    const std::string_view security = e.security.size() > 12
        ? std::string_view(e.security).substr(e.security.size() - 12)
        : std::string_view(e.security);
    AppendPaddedField(w, 12, security, false);
    return w.Str();
}
