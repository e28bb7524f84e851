#pragma once
// An exchange over the seed data set with a fixed host time, and helpers that
// build request packets the way the workstation does.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/exchange.h"
#include "kvcore/security/password.h"

namespace exchange::test {

inline const DataSet& SeedData()
{
    static const DataSet data = [] {
        DataSet d;
        std::string error;
        if (!LoadDataSet(EXCHANGE_SEED_DATA_DIR, d, error))
            ADD_FAILURE() << error;
        return d;
    }();
    return data;
}

// The user id blank-padded to 12, as every request starts.
inline std::string User(const std::string& user)
{
    std::string u = user;
    u.resize(12, ' ');
    return u;
}

inline std::string Logon(const std::string& user, const std::string& password, bool repeated = false)
{
    return User(user) + PasswordDigest(password, user) + (repeated ? "R" : "");
}

inline std::string Text(const ReplyMessage& m)
{
    return m.data.substr(0, m.data.find('\0'));
}

// The error number of a refusal (after the text's NUL, itself NUL-terminated).
inline std::string ErrorNumber(const ReplyMessage& m)
{
    const std::size_t nul = m.data.find('\0');
    if (m.type != kRefused || nul == std::string::npos || m.data.back() != '\0')
        return "<not a refusal>";
    return m.data.substr(nul + 1, m.data.size() - nul - 2);
}

class ExchangeTest : public ::testing::Test {
protected:
    ExchangeTest()
        : ex_(std::make_unique<Exchange>(SeedData(), [this] { return now_; }))
    {
    }

    ReplyPacket send(int slot, uint32_t sequence, std::vector<std::pair<int, std::string>> messages)
    {
        texts_ = std::move(messages);
        RequestPacket p;
        p.clientSlot = slot;
        p.sequence = sequence;
        for (const auto& [type, text] : texts_)
            p.messages.push_back({ type, text });
        ReplyPacket reply = ex_->handle(p);
        EXPECT_LE(WireSize(reply), kMaxReplyPacket);
        return reply;
    }
    // Logs `user` on with the seed password rule; the verdict message.
    ReplyMessage logon(int slot, const std::string& user, bool repeated = false)
    {
        const ReplyPacket r = send(slot, 0, { { kLogon, Logon(user, "Pass-" + user, repeated) } });
        EXPECT_EQ(r.size(), 1u);
        return r.empty() ? ReplyMessage {} : r.front();
    }
    // One transaction alone in its packet; the single verdict message.
    ReplyMessage transaction(int slot, uint32_t sequence, int code, const std::string& text)
    {
        const ReplyPacket r = send(slot, sequence, { { code, text } });
        EXPECT_EQ(r.size(), 1u);
        return r.empty() ? ReplyMessage {} : r.front();
    }
    // The data messages of a blocking request (its trailing type-0 message checked and dropped).
    std::vector<std::string> request(int slot, uint32_t sequence, int code, const std::string& text)
    {
        const ReplyPacket r = send(slot, sequence, { { code, text } });
        std::vector<std::string> data;
        EXPECT_FALSE(r.empty());
        if (r.empty())
            return data;
        EXPECT_EQ(r.back().type, kEndOfReply);
        for (std::size_t i = 0; i + 1 < r.size(); ++i) {
            EXPECT_EQ(r[i].type, code);
            data.push_back(r[i].data);
        }
        return data;
    }

    std::string now_ = "101500"; // the host's time of day; a test may move it
    std::unique_ptr<Exchange> ex_;
    std::vector<std::pair<int, std::string>> texts_;
};

} // namespace exchange::test
