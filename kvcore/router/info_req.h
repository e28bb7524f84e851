// aInfoReq: the information requests of the current packet, in the order their
// messages were added; the reply packet answers them in the same order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "kvcore/kvcore_api.h"

class CVorlTarget;

enum : int32_t { INFOREQ_DOCUMENT = 0, INFOREQ_PERMANENT = 1 };

struct KVCORE_API CInfoReq {
    int32_t nKind = INFOREQ_PERMANENT;
    int32_t nID = 0;
    uint32_t nTarget = 0; // token of the target; 0 when its reply is to be skipped

    CVorlTarget* GetTarget() const;
};

class KVCORE_API CInfoReqArray {
public:
    void Add(const CInfoReq& request) { m_items.push_back(request); }
    void Add(int32_t kind, int32_t id, const CVorlTarget* target);
    void RemoveAll() { m_items.clear(); }
    int GetSize() const { return static_cast<int>(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    const CInfoReq& GetAt(int i) const { return m_items.at(static_cast<size_t>(i)); }
    // A closing document's pending replies are skipped from now on.
    void ClearTarget(const CVorlTarget* target);

private:
    std::vector<CInfoReq> m_items;
};

KVCORE_API extern CInfoReqArray aInfoReq;
KVCORE_API int IsInfoReqQueueEmpty();
