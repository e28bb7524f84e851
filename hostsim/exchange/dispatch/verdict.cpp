#include "dispatch/verdict.h"

namespace exchange {

ReplyMessage VerdictMessage(const Verdict& verdict)
{
    ReplyMessage m;
    m.type = verdict.accepted ? kAccepted : kRefused;
    m.data = verdict.text;
    m.data += '\0';
    if (!verdict.accepted) {
        m.data += std::to_string(verdict.error);
        m.data += '\0';
    }
    return m;
}

} // namespace exchange
