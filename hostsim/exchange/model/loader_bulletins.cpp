// Reads the messages, news, trading events, schedule, audit events and positions.
#include "model/loader_parts.h"

namespace exchange {

namespace {

// Message and news texts keep line breaks as "\n" in the file.
std::string unescape(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += "\r\n";
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

CashLimits limits(const TableRow& r)
{
    return { r.number("hard"), r.number("warn"), r.number("order"), r.letter("hard_set"),
        r.letter("warn_set"), r.letter("order_set") };
}

} // namespace

void LoadBulletins(const std::string& folder, DataSet& d)
{
    for (const TableRow& r : TableFile(folder, "messages.txt")) {
        d.messages.push_back({ r.number("key"), r.text("sender", 12), r.text("to_user", 12),
            r.text("to_firm", 12), r.letter("info_feed"), r.letter("display"), r.text("send_time", 6),
            r.letter("status"), unescape(r.text("text")) });
        if (d.messages.back().text.size() > 640)
            r.fail("text longer than 640 bytes");
    }
    for (const TableRow& r : TableFile(folder, "news.txt")) {
        d.news.push_back({ r.number("id"), r.text("user", 12), r.text("type", 4), r.text("language", 2),
            r.text("issuer", 12), r.text("instrument", 12), r.text("time", 6), r.text("title", 40),
            r.text("file", 80), r.letter("info_feed"), r.letter("flash"), r.letter("display"),
            r.letter("status"), unescape(r.text("text")) });
        if (d.news.back().text.size() > 5000)
            r.fail("text longer than 5000 bytes");
    }
    for (const TableRow& r : TableFile(folder, "events.txt")) {
        d.events.push_back({ r.number("id"), r.text("time", 6), r.letter("type"), r.text("user", 12),
            r.number("message"), r.text("object", 20), r.letter("kind"), r.number("price"), r.number("upper"),
            r.number("lower") });
    }
    for (const TableRow& r : TableFile(folder, "schedule.txt")) {
        d.schedule.push_back({ r.text("code", 12), r.text("time", 6), static_cast<int>(r.number("priority")),
            r.text("transition", 12), r.text("board", 4), r.text("instrument", 4),
            r.text("instrument_id", 12), r.letter("pending") });
    }
    for (const TableRow& r : TableFile(folder, "auditevents.txt")) {
        d.auditEvents.push_back({ r.letter("stream"), r.text("group", 4), r.text("type", 4),
            r.text("time", 6), r.letter("display"), r.text("to_user", 12), r.text("to_firm", 12),
            r.text("from_user", 12), r.text("board", 4), r.text("instrument_id", 12), r.text("user", 12),
            r.text("firm", 12), r.text("text", 256) });
    }
    for (const TableRow& r : TableFile(folder, "cash.txt")) {
        d.cash.push_back({ r.letter("scope"), r.text("firm", 12), r.text("user", 12), r.text("account", 12),
            r.text("currency", 3), r.text("pool", 4), r.number("open"), r.number("current"),
            r.number("planned"), limits(r) });
    }
    for (const TableRow& r : TableFile(folder, "holdings.txt")) {
        d.holdings.push_back({ r.text("firm", 12), r.text("account", 12), r.text("instrument_id", 12),
            r.text("depository", 12), r.number("open"), r.number("current"), r.number("planned_buy"),
            r.number("planned_sell"), r.number("buy_value"), r.number("sell_value"), r.number("buy_quantity"),
            r.number("sell_quantity"), r.number("multiplier") });
    }
}

} // namespace exchange
