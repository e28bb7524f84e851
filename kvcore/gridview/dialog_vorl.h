#pragma once
// CTDialogVorl: a dialog that sends a transaction or request with itself as the target and reads
// the host's answer in Decode. Replies that reach a dialog which reads nothing still count as
// stored; a reply that arrives after the dialog went reaches nobody.
#include "fw/ui/dialog.h"
#include "kvcore/kvcore_api.h"
#include "kvcore/router/vorl_target.h"

class KVCORE_API CTDialogVorl : public fw::Dialog, public CVorlTarget {
    Q_OBJECT
public:
    explicit CTDialogVorl(uint32_t templateId, QWidget* parent = nullptr);
    ~CTDialogVorl() override;

    int Decode(CRecordReader& reader) override;
};
