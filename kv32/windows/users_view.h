// The users window's view: logoff, suspend, unsuspend and order approval of
// the selected users, the supervisor's dialogs on the current user, and the
// orders, trades and negotiated deals windows of the selected users.
#pragma once

#include <string>
#include <vector>

#include "kv32/windows/list_view.h"

class CTradersView : public CListView {
    Q_OBJECT
public:
    explicit CTradersView(QWidget* parent = nullptr);
    ~CTradersView() override;

    void OnUserTransaction(unsigned commandId);
    // Opens the orders (8), trades (9) or negotiated deals (10) window and,
    // with users selected, makes it list only theirs.
    void OnOpenForUsers(std::uint32_t tableId);

private:
    // The current user's code; empty without a current row.
    std::string CurrentCode() const;
};

// Makes the window's criteria list only the users' rows: the criteria are
// reset and their user list applies. False when the document's criteria are
// not of the window kind (8, 9 or 10) or no user is given.
bool KvListOnlyUsers(CTableIndexDoc& doc, const std::vector<std::string>& users);
