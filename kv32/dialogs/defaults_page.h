// The "Default selection" page of the options sheet: the trading account and
// the broker reference the order entry forms start with, and the list of
// broker references they offer, kept in the default-selection table.
#pragma once

#include <string>

#include "kv32/dialogs/kv_dialog.h"

class COptionsDefaultsPg : public CTPropertyPage {
    Q_OBJECT
public:
    COptionsDefaultsPg();
    bool onInitDialog() override;
    bool onApply() override;

    // The edit's text trimmed at both ends, added when not yet listed.
    void AddReference();
    void DeleteReference();

private:
    void Checked(uint32_t checkId, uint32_t listId);
};
