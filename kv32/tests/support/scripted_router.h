// A router session over a scripted router: reply packets of {type, bytes}
// go in, the request packets the program sends are recorded, and the session
// is logged on as a chosen user. One at a time per process.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kvcore/router/cvorl.h"
#include "support/fake_router.h"

namespace kv32test {

struct Msg {
    int type = 0;
    std::string bytes;
};

// The empty message that ends the reply to one request.
inline Msg End()
{
    return { 0, std::string() };
}

class ScriptedRouter {
public:
    explicit ScriptedRouter(const char* user = "TRADER01");
    ~ScriptedRouter();
    ScriptedRouter(const ScriptedRouter&) = delete;
    ScriptedRouter& operator=(const ScriptedRouter&) = delete;

    // Queues one reply packet; replies answer request packets in order.
    static void Reply(const std::vector<Msg>& packet);
    // From now on every request packet sent is answered at once by the
    // answerer (a host stand-in); an empty function stops that.
    using Answerer = std::function<std::vector<Msg>(const std::vector<Msg>& request)>;
    void AnswerWith(Answerer answerer);
    // As AnswerWith, but a request answered with nothing gets no reply at all
    // (the router lost it).
    using DroppingAnswerer = std::function<std::optional<std::vector<Msg>>(const std::vector<Msg>& request)>;
    void AnswerOrDropWith(DroppingAnswerer answerer);
    // The next receive fails with this router result (9: nothing yet).
    void FailNextRecv(int status);
    // Every request packet sent so far, each a list of messages.
    std::vector<std::vector<Msg>> Packets() const;
    // The messages of every packet, in order.
    std::vector<Msg> Requests() const;
    void ClearRecord();
    CVorl& Session() { return *m_session; }

private:
    std::unique_ptr<CVorl> m_session;
};

} // namespace kv32test
