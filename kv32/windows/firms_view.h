// The firms window's view: suspend and unsuspend the selected firms, an
// issuer with its securities, the supervisor's dialogs on the current firm,
// and its security holdings window.
#pragma once

#include <string>

#include "kv32/windows/list_view.h"

class CFirmsView : public CListView {
    Q_OBJECT
public:
    explicit CFirmsView(QWidget* parent = nullptr);
    ~CFirmsView() override;

    void OnFirmTransaction(unsigned commandId);
    // The security holdings window of the current firm (of no firm without one).
    void OnSecurityHoldings();

private:
    const struct ParticipantRec* CurrentFirm() const;
};
