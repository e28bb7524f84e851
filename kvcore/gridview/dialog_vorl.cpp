#include "kvcore/gridview/dialog_vorl.h"

CTDialogVorl::CTDialogVorl(uint32_t templateId, QWidget* parent) : fw::Dialog(templateId, parent) { }

CTDialogVorl::~CTDialogVorl() = default;

int CTDialogVorl::Decode(CRecordReader&) { return 0; }
