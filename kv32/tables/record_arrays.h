// Record arrays that windows and dialogs keep for rows of their own, on the
// same record store as the host tables (records never move), and the record
// shapes they hold.
#pragma once

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "kvcore/router/tarray.h"
#include "kvcore/values/cdouble.h"

template <class TRecord> class CRecArray : public CTArray {
    static_assert(std::is_trivially_copyable_v<TRecord>, "record arrays copy records as bytes");

public:
    explicit CRecArray(int recordsPerBlock = 32)
        : CTArray(sizeof(TRecord), recordsPerBlock)
    {
    }
    int GetCount() const { return GetSize(); }
    // 0 <= i < GetCount().
    TRecord* GetAt(int i) { return static_cast<TRecord*>(GetData()[i]); }
    // Grows to i + 1 first when needed.
    void SetRec(int i, const TRecord& rec)
    {
        if (i < 0)
            return;
        if (i >= GetSize())
            SetSize(i + 1);
        std::memcpy(GetData()[i], &rec, sizeof rec);
    }
    // Appends at the count; the new index.
    int AddRec(const TRecord& rec)
    {
        const int i = GetSize();
        SetRec(i, rec);
        return i;
    }
};

// A price level of the market-by-order window.
struct PriceRec {
    int32_t nIndex;
    char szSide[2];
    char szCode[13];
    CDouble aAmounts[6];
    char szText[13];
    char szFlag[2];
};

// A row of the summary window (also read by the market-by-order and
// trading-account windows).
struct SummaryRec {
    int32_t nIndex;
    char szName[31];
    CDouble aAmounts[8];
};

// A trading-account code row: a code and three further codes with four amounts.
struct CodeRec {
    int32_t nIndex;
    char szCode[11];
    char szCodes[3][13];
    CDouble aAmounts[4];
};

// Four numbers kept as a pair of pairs.
struct CodePairRec {
    int32_t aValues[4];
};
