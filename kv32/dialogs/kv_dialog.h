// The bases of the program's own dialogs: plain dialogs, property sheets and
// the pages of the options sheet. They give every dialog of the program a
// class identity of its own (metaObject()->className()), so code can tell the
// program's dialogs apart, and one place for behaviour all of them share.
// Dialogs that talk to the host derive from kvcore's dialog instead.
#pragma once

#include <cstdint>
#include <string>

#include "fw/ui/dialog.h"
#include "fw/ui/propertysheet.h"

class CKvDialog : public fw::Dialog {
    Q_OBJECT
public:
    explicit CKvDialog(uint32_t templateId, QWidget* parent = nullptr);
    ~CKvDialog() override;
};

class CKvPropertySheet : public fw::PropertySheet {
    Q_OBJECT
public:
    explicit CKvPropertySheet(const std::string& caption, QWidget* parent = nullptr);
    ~CKvPropertySheet() override;
};

class CTPropertyPage : public fw::PropertyPage {
    Q_OBJECT
public:
    explicit CTPropertyPage(uint32_t templateId);
    ~CTPropertyPage() override;
};
