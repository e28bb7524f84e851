#pragma once
// The statistics blocks in shared memory and the plug-in messages, by byte
// offset. Block words are in the machine's order, message words in network
// order.
#include <cstddef>
#include <cstdint>

#include "plugin_common.h"

namespace pigauge {

inline constexpr int kMaxSets = 50;
inline constexpr int kMaxRanges = 10;
inline constexpr int kSetSize = 12; // first type, last type, range index
inline constexpr int kNameField = 128;

// Server block.
inline constexpr std::size_t kServerBlockSize = 3560;
inline constexpr std::size_t kSbSendInterval = 0;
inline constexpr std::size_t kSbSetCount = 4;
inline constexpr std::size_t kSbSets = 8;
inline constexpr std::size_t kSbRangeCount = 608;
inline constexpr std::size_t kSbSummaryFile = 612;
inline constexpr std::size_t kSbRangeFiles = 880;
inline constexpr std::size_t kFileRecordSize = 268;
// File record: the open file's field stays 0 (the file is the owning process's).
inline constexpr std::size_t kFrFile = 0;
inline constexpr std::size_t kFrSection = 4;
inline constexpr std::size_t kFrName = 132;
inline constexpr std::size_t kFrFlushInterval = 260;
inline constexpr std::size_t kFrRowsSinceFlush = 264;
static_assert(kSbRangeFiles + kMaxRanges * kFileRecordSize == kServerBlockSize);
static_assert(kSbSets + kMaxSets * kSetSize == kSbRangeCount);

// Client block.
inline constexpr std::size_t kClientBlockSize = 1100;
inline constexpr std::size_t kCbCounting = 0;
inline constexpr std::size_t kCbSendInterval = 4;
inline constexpr std::size_t kCbPackets = 8;
inline constexpr std::size_t kCbSetCount = 12;
inline constexpr std::size_t kCbSets = 16;
inline constexpr std::size_t kCbRangeCount = 616;
inline constexpr std::size_t kCbSummary = 620;
inline constexpr std::size_t kCbRanges = 660;
inline constexpr std::size_t kRangeRecordSize = 44;
static_assert(kCbRanges + kMaxRanges * kRangeRecordSize == kClientBlockSize);

// Summary record words.
enum SummaryWord {
    kSElapsed,
    kSPktsSent,
    kSPktsRecv,
    kSMsgsAdded,
    kSMsgsGot,
    kSBytesSent,
    kSBytesRecv,
    kSResent,
    kSReceivedResent,
    kSStartTick,
    kSummaryWords
};
// Range record words.
enum RangeWord {
    kRElapsed,
    kRMsgsAdded,
    kRMsgsGot,
    kRBytesAdded,
    kRBytesGot,
    kRShortest,
    kRLongest,
    kRAverage,
    kRIndex,
    kRStartTick,
    kRSum,
    kRangeWords
};
static_assert(kSummaryWords * 4 == 40 && kRangeWords * 4 == kRangeRecordSize);

// Plug-in messages.
inline constexpr int kMsgConfigRequest = 257;
inline constexpr int kMsgConfig = 258;
inline constexpr int kMsgRangeStats = 259;
inline constexpr int kMsgSummaryStats = 260;
inline constexpr int kConfigLength = 612;
inline constexpr int kStatsWords = 9; // words 0-8 of a summary or range record
inline constexpr int kStatsLength = 4 * kStatsWords;

// A word of a record at `base`.
inline uint32_t word(const uint8_t* base, int index)
{
    return static_cast<uint32_t>(plugins::getWord(base + 4 * index));
}
inline void setWord(uint8_t* base, int index, uint32_t v)
{
    plugins::putWord(base + 4 * index, static_cast<int32_t>(v));
}
inline void addWord(uint8_t* base, int index, uint32_t v)
{
    setWord(base, index, word(base, index) + v);
}

// A statistics message from a summary or range record, and its words back
// as the server writes them.
inline void EncodeStats(const uint8_t* record, uint8_t* body)
{
    for (int w = 0; w < kStatsWords; ++w)
        plugins::putBE32(body + 4 * w, word(record, w));
}
inline void DecodeStats(const uint8_t* body, int32_t* words)
{
    for (int w = 0; w < kStatsWords; ++w)
        words[w] = static_cast<int32_t>(plugins::getBE32(body + 4 * w));
}

} // namespace pigauge
