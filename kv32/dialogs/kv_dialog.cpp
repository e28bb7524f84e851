#include "kv32/dialogs/kv_dialog.h"

CKvDialog::CKvDialog(uint32_t templateId, QWidget* parent)
    : fw::Dialog(templateId, parent)
{
}

CKvDialog::~CKvDialog() = default;

CKvPropertySheet::CKvPropertySheet(const std::string& caption, QWidget* parent)
    : fw::PropertySheet(caption, parent)
{
}

CKvPropertySheet::~CKvPropertySheet() = default;

CTPropertyPage::CTPropertyPage(uint32_t templateId)
    : fw::PropertyPage(templateId)
{
}

CTPropertyPage::~CTPropertyPage() = default;
