#pragma once
// The logon snapshot of every table of the simulated exchange as one user sees it, taken
// through the router with the scripted client: each table's snapshot loop, then the standing
// requests polled from sequence 0 until nothing is left. Every record's length and the
// last-record flags are checked; the data bytes of each reply packet are kept, so that a
// baseline can carry the same bytes.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "client/scripted_client.h"

namespace exbench {

using exchange::client::Message;
using exchange::client::ScriptedClient;

struct Snapshot {
    double secs = 0;
    long packets = 0, records = 0, bytes = 0;
    std::vector<std::size_t> replySizes; // data bytes of each reply packet
    std::vector<std::pair<std::string, int64_t>> shares; // key and previous price of MAIN shares
    std::map<int, long> perCode;
    int64_t orderSeq = 0;
    std::string greatestOrder = std::string(12, '0'); // the day's orders before the load
    bool ok = true;
};

// The snapshot tables in the order the workstation loads them.
inline const std::vector<int>& snapshotCodes()
{
    static const std::vector<int> codes { 115, 23, 22, 20, 21, 17, 19, 18, 116, 65, 73, 66, 93, 77, 76 };
    return codes;
}

inline std::size_t dataBytes(const std::vector<Message>& reply)
{
    std::size_t n = 0;
    for (const Message& m : reply)
        n += m.data.size();
    return n;
}

// One snapshot loop: resume keys until the last-record flag or an empty reply.
inline void snapshotLoop(ScriptedClient& c, const std::string& user, int code, Snapshot& s)
{
    static const std::map<int, std::size_t> kLengths { { 115, 0 }, { 23, 43 }, { 22, 44 }, { 20, 44 }, { 21, 44 },
        { 17, 1102 }, { 19, 169 }, { 18, 158 }, { 116, 42 }, { 65, 41 }, { 73, 43 }, { 66, 294 }, { 93, 23 },
        { 77, 53 }, { 76, 58 } };
    std::string key = code == 93 ? "000000" : code == 66 ? "0000000000" : "00000000";
    for (int guard = 0; guard < 1000000; ++guard) {
        const std::string extra = code == 17 ? std::string(8, ' ') : std::string();
        const auto reply = c.send({ { code, ScriptedClient::UserField(user) + key + extra } });
        ++s.packets;
        s.replySizes.push_back(dataBytes(reply));
        s.bytes += static_cast<long>(dataBytes(reply));
        if (reply.empty() || reply.back().type != 0) {
            s.ok = false;
            return;
        }
        if (reply.size() == 1)
            return;
        for (std::size_t i = 0; i + 1 < reply.size(); ++i) {
            const std::string& r = reply[i].data;
            const std::size_t expected = kLengths.at(code);
            if (reply[i].type != code || (expected != 0 && r.size() != expected))
                s.ok = false;
            ++s.records;
            ++s.perCode[code];
            if (code == 17 && r.size() == 1102 && r[8] == '0' && r.compare(9, 4, "MAIN") == 0
                && s.shares.size() < 100)
                s.shares.push_back({ r.substr(8, 17), std::atoll(r.substr(185, 9).c_str()) });
        }
        const std::string& last = reply[reply.size() - 2].data;
        if (last.empty() || last.back() == '1' || (code == 115 && last.size() > 52 && last[52] == '1'))
            return;
        key = code == 93 ? last.substr(0, 6) : last.substr(0, 8);
    }
}

// The standing requests from sequence 0, polled in one packet until none brings data.
inline void standing(ScriptedClient& c, const std::string& user, Snapshot& s)
{
    const std::vector<int> codes { 33, 64, 44, 41, 40, 42, 43, 50, 54, 52, 72, 85, 118 };
    std::map<int, std::string> seq;
    std::string audit = "0000000000000000";
    for (const int code : codes)
        seq[code] = "0000000000";
    for (int guard = 0; guard < 1000000; ++guard) {
        std::vector<std::pair<int, std::string>> packet;
        for (const int code : codes) {
            std::string text = ScriptedClient::UserField(user) + (code == 72 ? audit : seq[code]);
            if (code == 50 || code == 54 || code == 52)
                text += std::string(12, '0');
            if (code == 118)
                text += std::string(12, '0') + " ";
            if (code == 33)
                text += std::string(25, ' ');
            packet.push_back({ code, text });
        }
        const auto reply = c.send(packet);
        ++s.packets;
        s.replySizes.push_back(dataBytes(reply));
        s.bytes += static_cast<long>(dataBytes(reply));
        std::size_t entry = 0;
        bool any = false;
        for (const Message& m : reply) {
            if (m.type == 0) {
                ++entry;
                continue;
            }
            if (entry >= codes.size() || m.type != codes[entry] || m.data.size() < 10) {
                s.ok = s.ok && (m.type == 194 || m.type == 195);
                continue;
            }
            any = true;
            ++s.records;
            ++s.perCode[m.type];
            if (m.type == 50 && m.data.size() >= 23)
                s.greatestOrder = std::max(s.greatestOrder, m.data.substr(11, 12));
            if (m.type == 72)
                (m.data[8] == 'Y' ? audit.replace(0, 8, m.data.substr(0, 8))
                                  : audit.replace(8, 8, m.data.substr(0, 8)));
            else
                seq[m.type] = m.data.substr(0, 10);
        }
        if (entry != codes.size())
            s.ok = false;
        if (!any)
            break;
    }
    s.orderSeq = std::atoll(seq[50].c_str());
}

// The snapshot loops of every table, then the standing requests.
inline void fullSnapshot(ScriptedClient& c, const std::string& user, Snapshot& s)
{
    for (const int code : snapshotCodes())
        snapshotLoop(c, user, code, s);
    standing(c, user, s);
}

// The baseline: each reply packet's data bytes carried both ways through the router's
// request-reply loop with echohost. Seconds taken, or a negative value when a packet failed.
inline double echoSameBytes(ScriptedClient& echo, const std::vector<std::size_t>& replySizes)
{
    const auto start = std::chrono::steady_clock::now();
    for (const std::size_t size : replySizes) {
        const std::string text(std::max<std::size_t>(1, std::min<std::size_t>(size, 29000)), 'x');
        if (echo.send({ { 100, text } }).empty())
            return -1;
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace exbench
