// Reply packets of any shape through the program's three receivers (blocking
// snapshot requests, polled standing requests, a transaction) into a host
// data table. Input: messages of [type byte][length, 2 bytes little-endian]
// [bytes]; type 255 ends a packet.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "kv32/shell/kv_app_logic.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/router/info_req.h"
#include "support/sample_table.h"
#include "kv32_sample_rows.h"
#include "support/scripted_router.h"
#include "support/ui_recorder.h"

namespace {

std::vector<std::vector<kv32test::Msg>> Packets(const uint8_t* data, size_t size)
{
    std::vector<std::vector<kv32test::Msg>> packets(1);
    size_t pos = 0;
    while (pos < size && packets.size() < 64) {
        const uint8_t type = data[pos++];
        if (type == 255) {
            packets.emplace_back();
            continue;
        }
        size_t length = 0;
        if (pos + 2 <= size) {
            length = data[pos] | (static_cast<size_t>(data[pos + 1]) << 8);
            pos += 2;
        }
        length = length < size - pos ? length : size - pos;
        packets.back().push_back({ type, std::string(reinterpret_cast<const char*>(data + pos), length) });
        pos += length;
    }
    return packets;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kv32fuzz::SilenceTrace();
    kv32test::ScriptedRouter router;
    kv32test::UiRecorder ui;
    CKvAppLogic app;
    kv32test::CSampleTable table;
    fMulti = size % 2;
    nMultiCount = 0;
    fErrorCheckEx = 1;
    fLastRec = fPacket = fTrPacket = 0;
    aInfoReq.RemoveAll();

    for (const auto& packet : Packets(data, size))
        router.Reply(packet);
    table.Load();
    for (int poll = 0; poll < 8 && !kvtest::Fake().replies.empty(); ++poll) {
        app.CollectAllRequests();
        VORLInfoReqEnd();
        app.DoReceive();
        kvtest::Fake().outstanding = 0;
    }
    char text[] = "TRADER01    order";
    VORLTransaction(132, text, static_cast<int>(sizeof text - 1), 1);
    for (int row = 0; row < table.GetCount(); ++row)
        (void)table.GetRec(row)->szName[0];

    aInfoReq.RemoveAll();
    fPacket = fTrPacket = 0;
    fMulti = 0;
    return 0;
}
