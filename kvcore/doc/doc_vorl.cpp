#include "kvcore/doc/doc_vorl.h"

#include "kvcore/router/info_req.h"

CTDocVorl::CTDocVorl() = default;
CTDocVorl::~CTDocVorl() = default;

bool CTDocVorl::onNewDocument()
{
    if (!CDragDropDoc::onNewDocument())
        return false;
    m_nReqState = 0;
    m_bNew = 1;
    return true;
}

void CTDocVorl::onCloseDocument()
{
    aInfoReq.ClearTarget(this);
    CDragDropDoc::onCloseDocument();
}

void CTDocVorl::OnPostUpdateReq()
{
    for (int i = 0; i < m_nReqCount; ++i)
        aInfoReq.Add(INFOREQ_DOCUMENT, static_cast<int32_t>(GetDocID()), this);
}

int CTDocVorl::Decode(CRecordReader&) { return 0; }

void CTDocVorl::OnPostReceive() { updateAllViews(nullptr, 0, nullptr); }
