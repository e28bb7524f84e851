// Arbitrary bytes as the files the workstation keeps for alerts, the alert
// log, order-count limits and default selections. Input: the first byte
// picks the reader, the rest is the file. A reader refuses or accepts without
// a crash or a read past the end; what it accepts writes back to bytes that
// read the same and write the same again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fw/core/archive.h"
#include "kv32/shell/kv_app_logic.h"
#include "kv32/tables/all_tables.h"
#include "kv32_sample_rows.h"
#include "support/scripted_router.h"
#include "support/ui_recorder.h"

namespace {

template <class TTable> void ReadAndRoundTrip(TTable& table, const std::vector<uint8_t>& bytes, kv32test::UiRecorder& ui)
{
    fw::Archive in(bytes);
    const size_t boxes = ui.boxes.size();
    if (table.Serialize(in) != 1 || ui.boxes.size() != boxes)
        return; // refused, and the table kept
    fw::Archive out;
    if (table.Serialize(out) != 1)
        return;
    fw::Archive again(out.bytes());
    if (table.Serialize(again) != 1 || ui.boxes.size() != boxes)
        std::abort();
    fw::Archive second;
    table.Serialize(second);
    if (second.bytes() != out.bytes())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kv32fuzz::SilenceTrace();
    if (size == 0)
        return 0;
    kv32test::ScriptedRouter router;
    kv32test::UiRecorder ui;
    CKvAppLogic app;
    CKvTables& t = KvTables();
    const std::vector<uint8_t> bytes(data + 1, data + size);
    switch (data[0] % 6) {
    case 0:
        ReadAndRoundTrip(t.firmAlerts, bytes, ui);
        break;
    case 1:
        ReadAndRoundTrip(t.userAlerts, bytes, ui);
        break;
    case 2:
        ReadAndRoundTrip(t.secAlerts, bytes, ui);
        break;
    case 3:
        ReadAndRoundTrip(t.alertLog, bytes, ui);
        break;
    case 4:
        ReadAndRoundTrip(t.ordCountAlerts, bytes, ui);
        break;
    default:
        ReadAndRoundTrip(t.defSel, bytes, ui);
        break;
    }
    for (CVorlPermTarget* table : std::initializer_list<CVorlPermTarget*> {
             &t.firmAlerts, &t.userAlerts, &t.secAlerts, &t.alertLog, &t.ordCountAlerts, &t.defSel })
        table->Free();
    return 0;
}
