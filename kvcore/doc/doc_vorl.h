#pragma once
// CTDocVorl: a table document that asks the host for its own data, so it is also a receiver of
// router replies. A derived document adds its standing request in UpdateReq (returning nonzero
// when it did) and takes one reply record into its rows in Decode; the base queues the reply
// slots, refreshes the views when the reply is complete, and makes sure a reply that arrives
// after the window closed reaches nobody.
#include "kvcore/doc/drag_drop_doc.h"
#include "kvcore/kvcore_api.h"
#include "kvcore/router/vorl_target.h"

class KVCORE_API CTDocVorl : public CDragDropDoc, public CVorlTarget {
public:
    CTDocVorl();
    ~CTDocVorl() override;

    bool onNewDocument() override;
    // Pending replies for this document are skipped from now on; then the table document closes.
    void onCloseDocument() override;

    // Queues m_nReqCount reply slots {document, table id, this} in aInfoReq.
    void OnPostUpdateReq() override;
    // Nothing is kept here; a derived document reads its records.
    int Decode(CRecordReader& reader) override;
    // The whole reply is in: every view shows it.
    void OnPostReceive() override;

    // Request state for the derived document: m_nReqState is 0 and m_bNew 1 once the document
    // opened (the library reads neither).
    int m_nReqState = 0;
    int m_bNew = 0;
    // Info requests the document adds per request cycle.
    int m_nReqCount = 1;
};
