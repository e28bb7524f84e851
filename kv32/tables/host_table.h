// What every host data table shares: the resume key of its snapshot loop and
// the sequence number of its standing request, the request texts keyed by the
// logged-on user, the loop itself, the colour elements of its window, and the
// guard that drops a record when memory runs out.
#pragma once

#include <cstdint>
#include <functional>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "kvcore/values/field_writer.h"

class CVorlTarget;
struct tagTMSG;

// Appends the logged-on user's id, left-aligned in 12 bytes.
void AppendUserField(KvFieldWriter& w);

// A snapshot loop: clears fLastRec, then sends the key that buildKey writes
// (after the user field) as a blocking request until the end of the snapshot
// is seen. It also stops when the router session fails, a request fails, the
// key cannot be built, or a request would repeat the one before it (the host
// gave nothing that moved the key, so it would answer the same again).
// 1 when it ended without a failure.
int RunSnapshotLoop(int code, CVorlTarget* target, const std::function<void(KvFieldWriter&)>& buildKey);

// Sends a standing request (the user field, then what buildKey writes) into
// the packet being built. 1 when it was added.
int SendStandingRequest(int code, CVorlTarget* target, const std::function<void(KvFieldWriter&)>& buildKey);

// Shows the low-memory message: a record could not be stored and is dropped.
void ShowLowMemory();

// Runs one record's decoding; a memory shortage shows the low-memory message
// and drops the record.
template <class F> void DecodeGuarded(F&& decode)
{
    try {
        decode();
    } catch (const std::bad_alloc&) {
        ShowLowMemory();
    }
}

class CHostTableState {
public:
    static constexpr int kNextKeyWidth = 8;
    static constexpr int kSeqNumWidth = 10;

    CHostTableState();

    // "00000000" before the first snapshot request.
    void ResetNextKey();
    // "0000000000" after a snapshot or a Free.
    void ResetSeqNum();
    // The resume key of a record (trailing blanks stripped).
    void TakeNextKey(std::string_view field);
    void TakeSeqNum(std::string_view field);
    // Each sent back in its full width, so that no later field shifts.
    void AppendNextKey(KvFieldWriter& w) const;
    void AppendSeqNum(KvFieldWriter& w) const;

    char m_szNextKey[kNextKeyWidth + 1];
    char m_szSeqNum[kSeqNumWidth + 1];
    std::vector<uint32_t> m_aColors; // colour elements of the table's window
    std::vector<uint16_t> m_aColorNames; // their captions' string ids
};
