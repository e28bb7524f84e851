#pragma once
// What the exchange tells its users: exchange messages, news, trading events,
// the trading schedule and audit events.
#include <cstdint>
#include <string>

namespace exchange {

struct ExchangeMessage {
    int64_t key = 0; // 8-digit sequence number
    std::string sender;
    std::string toUser; // blank = all users
    std::string toFirm; // blank = all firms
    char infoFeed = 'N';
    char display = 'S'; // P urgent, S regular, N none
    std::string sendTime;
    char status = 'S'; // S delivered, P waiting, W withdrawn
    std::string text;
};

struct NewsItem {
    int64_t id = 0;
    std::string user;
    std::string type; // table 73
    std::string language; // table 65
    std::string issuer;
    std::string instrumentId;
    std::string time;
    std::string title;
    std::string file;
    char infoFeed = 'N';
    char flash = 'N';
    char display = 'S';
    char status = 'S'; // S sent, P pending, F, R removed
    std::string text;
};

struct TradingEvent {
    int64_t id = 0;
    std::string time;
    char type = 'A'; // A-H
    std::string user;
    int64_t messageKey = 0;
    std::string object; // security short name or participant code
    char kind = 'S'; // S done, P pending, F failed, R removed
    int64_t price = 0, upper = 0, lower = 0;
};

struct ScheduleEntry {
    std::string code;
    std::string time;
    int priority = 0;
    std::string transition;
    std::string board;
    std::string instrument;
    std::string instrumentId;
    char pending = 'N';
};

struct AuditEvent {
    char stream = 'Y';
    std::string group, type, time;
    char display = ' ';
    std::string toUser, toFirm, fromUser, board, instrumentId, user, firm;
    std::string text;
};

} // namespace exchange
