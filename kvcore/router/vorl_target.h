// Receivers of router replies. A request carries its target as a 32-bit token
// (never a pointer); the token maps back to a live target, or to nothing once
// the target is gone, so a late reply can never reach a destroyed object.
#pragma once

#include <cstdint>
#include <vector>

#include "kvcore/kvcore_api.h"
#include "kvcore/router/tarray.h"

namespace fw {
class Archive;
}

// One received message as handed to a target: type, text length, the message's
// value and two further words, and the text in the session's receive buffer.
struct tagTMSG {
    int32_t nType = 0;
    int32_t nLength = 0;
    int32_t nValue = 0;
    int32_t nReserved[2] = { 0, 0 };
    unsigned char* pText = nullptr;
};

class CRecordReader;

// The trace line of a record dropped because it ended before its last field
// (for StoreDataItem overrides that build their own reader).
KVCORE_API void TraceShortRecord(const tagTMSG& message);

class KVCORE_API CVorlTarget {
public:
    CVorlTarget();
    virtual ~CVorlTarget();
    CVorlTarget(const CVorlTarget&) = delete;
    CVorlTarget& operator=(const CVorlTarget&) = delete;

    // Builds and sends the target's request; nonzero when one was made.
    virtual int UpdateReq() { return 0; }
    virtual void OnPostUpdateReq() { }
    // Takes one received message: Decode over a reader of its text, 1. A record
    // that ended before Decode had read all its fields is reported on the
    // trace and left out.
    virtual int StoreDataItem(tagTMSG* message);
    // Reads one record's fields through the reader and keeps the record only
    // when reader.Ok() holds after the last field (a short record must not
    // leave a half-filled row). Nonzero when the record was kept. The reader's
    // bytes live only for the call: a decoder copies what it needs.
    virtual int Decode(CRecordReader& reader) = 0;
    virtual void OnPostReceive() { }

    // The value that stands for this target in requests (never 0).
    uint32_t GetToken() const { return m_nToken; }
    // The live target of a token, or null.
    static CVorlTarget* FromToken(uint32_t token);

private:
    uint32_t m_nToken;
};

class KVCORE_API CVorlPermTarget : public CVorlTarget {
public:
    CVorlPermTarget();
    ~CVorlPermTarget() override;

    // Queues {1, id, this} in aInfoReq so that the reply finds this target.
    void OnPostUpdateReq() override;
    virtual int Load() { return 1; }
    virtual int Save() { return 1; }
    virtual void Free() { }
    virtual void SerializeColors(fw::Archive& /*archive*/) { }
    uint16_t GetID() const { return m_wID; }

    // Every permanent target alive, in the order of construction.
    static std::vector<CVorlPermTarget*> apPermTargets;

protected:
    uint16_t m_wID = 0;
    int m_nState = 0;
};

// A host data table: a permanent target that is also its record store.
class KVCORE_API CArrayPerm : public CVorlPermTarget, public CTArray {
public:
    CArrayPerm(unsigned elementSize, int recordsPerBlock)
        : CTArray(elementSize, recordsPerBlock)
    {
    }
    ~CArrayPerm() override;
    void Free() override;
};
