#include "support/kv32_fixture.h"

#include "kv32/shell/host_time.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/router/info_req.h"
#include "kvcore/router/vorl_target.h"
#include "kvcore/values/cdatetime.h"

namespace kv32test {

namespace {
std::string TextOf(const tagTMSG& m)
{
    return m.pText == nullptr
        ? std::string()
        : std::string(reinterpret_cast<const char*>(m.pText), static_cast<size_t>(m.nLength));
}
} // namespace

void RecordingPartners::TakeExchangeMessage(tagTMSG& message)
{
    messages.push_back(TextOf(message));
}

void RecordingPartners::TakeNewsHead(tagTMSG& message)
{
    news.push_back(TextOf(message));
}

Kv32Fixture::Kv32Fixture()
{
    fMulti = nMultiCount = fErrorCheckEx = nErrorEx = 0;
    fLastRec = fPacket = fTrPacket = 0;
    aInfoReq.RemoveAll();
    KvSetReplyPartners(&partners);
    KvClearHostTimeRequest();
    CDateTime::ResetKvTime();
}

Kv32Fixture::~Kv32Fixture()
{
    KvSetReplyPartners(nullptr);
    KvClearHostTimeRequest();
    CDateTime::ResetKvTime();
    aInfoReq.RemoveAll();
    fPacket = fTrPacket = 0;
}

} // namespace kv32test
