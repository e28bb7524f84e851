#include "client/scripted_client.h"

#include "kvcore/security/password.h"

namespace exchange::client {

namespace {

constexpr int kLogon = 129;
constexpr int kReceiveBuffer = 30000;

int acceptLogon(int type, const void*, int, int)
{
    return type == 193 ? 0 : -1;
}

// Where a snapshot record keeps its last-record flag and its resume key.
std::size_t flagOffset(int code, const std::string& record)
{
    return code == 115 ? 52 : record.size() - 1;
}

} // namespace

std::string ScriptedClient::UserField(const std::string& user)
{
    std::string u = user.substr(0, 12);
    u.resize(12, ' ');
    return u;
}

ScriptedClient::ScriptedClient(
    const std::string& config, const std::string& user, const std::string& password, bool repeated)
    : user_(user)
{
    std::string logon = UserField(user) + PasswordDigest(password, user);
    if (repeated)
        logon += 'R';
    VORLHANDLE h = nullptr;
    if (VORLCreate(&h, config.c_str(), nullptr, nullptr) != VORL_OK)
        return;
    if (VORLSetLogonMessage(h, kLogon, logon.data(), static_cast<unsigned>(logon.size()), 0, acceptLogon)
            != VORL_OK
        || VORLConnect(h) != VORL_OK) {
        VORLDisconnect(h);
        return;
    }
    // A reconnection inside the router logs on again as a repeated logon.
    const std::string again = UserField(user) + PasswordDigest(password, user) + "R";
    VORLSetLogonMessage(h, kLogon, again.data(), static_cast<unsigned>(again.size()), 0, acceptLogon);
    handle_ = h;
}

ScriptedClient::~ScriptedClient()
{
    if (handle_ != nullptr)
        VORLDisconnect(handle_);
}

std::vector<Message> ScriptedClient::send(const std::vector<std::pair<int, std::string>>& messages)
{
    std::vector<Message> out;
    if (handle_ == nullptr || messages.empty())
        return out;
    for (std::size_t i = 0; i < messages.size(); ++i) {
        const auto& [type, text] = messages[i];
        const int length = static_cast<int>(text.size());
        const int rc = i == 0 ? VORLStartPacket(handle_, type, text.data(), length, 0, 0)
                              : VORLAddMessage(handle_, type, text.data(), length, 0);
        if (rc != VORL_OK) {
            VORLResetPacket(handle_);
            return out;
        }
    }
    if (VORLEndPacket(handle_) != VORL_OK || VORLRecv(handle_, 30) != VORL_OK)
        return out;
    int count = 0;
    VORLNumMessages(handle_, &count);
    for (int i = 0; i < count; ++i) {
        Message m;
        m.data.resize(kReceiveBuffer);
        int length = 0, value = 0;
        if (VORLGetMessage(handle_, i, &m.type, m.data.data(), kReceiveBuffer, &length, &value) != VORL_OK)
            return {};
        m.data.resize(static_cast<std::size_t>(length));
        out.push_back(std::move(m));
    }
    return out;
}

Message ScriptedClient::transaction(int code, const std::string& fields)
{
    const auto reply = send({ { code, UserField(user_) + fields } });
    for (auto it = reply.rbegin(); it != reply.rend(); ++it) {
        if (it->type == 192 || it->type == 193)
            return *it;
    }
    return { -1, {} };
}

std::vector<std::string> ScriptedClient::request(int code, const std::string& fields)
{
    std::vector<std::string> data;
    for (const Message& m : send({ { code, UserField(user_) + fields } })) {
        if (m.type == 0)
            break;
        if (m.type == code)
            data.push_back(m.data);
    }
    return data;
}

std::vector<std::string> ScriptedClient::snapshot(int code, const std::string& trailing)
{
    std::vector<std::string> all;
    std::string key = code == 93 ? "000000" : code == 66 ? "0000000000" : "00000000";
    // Bounded: a table never has more records than this many pages of one.
    for (int page = 0; page < 1000000; ++page) {
        const auto records = request(code, key + trailing);
        if (records.empty())
            break;
        all.insert(all.end(), records.begin(), records.end());
        const std::string& last = records.back();
        if (last.empty() || last[flagOffset(code, last)] == '1')
            break;
        key = last.substr(0, code == 93 ? 6 : 8);
    }
    return all;
}

} // namespace exchange::client
