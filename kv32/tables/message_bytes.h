// For tables whose records are read by position of a terminator or by
// offset rather than in order: the message's bytes handed to a decoder as a
// view, under the low-memory guard, with a trace line when the decoder did
// not find the whole record.
#pragma once

#include <string_view>

#include "kv32/tables/host_table.h"
#include "kvcore/router/vorl_target.h"

// decode(bytes) returns nonzero when the record was read whole. false when
// the message carries no bytes to read.
template <class TDecode> bool DecodeMessageBytes(tagTMSG* message, TDecode&& decode)
{
    if (message == nullptr || message->pText == nullptr || message->nLength < 0)
        return false;
    const std::string_view bytes(reinterpret_cast<const char*>(message->pText), static_cast<size_t>(message->nLength));
    int whole = 1;
    DecodeGuarded([&] { whole = decode(bytes); });
    if (whole == 0)
        TraceShortRecord(*message);
    return true;
}
