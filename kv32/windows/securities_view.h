// The securities window's view: trading commands enabled by the current
// security's permissions, the book windows of the current security (also on a
// double click), the security on all boards, the related windows of the
// selected securities, the alert and order-method dialogs, suspension of one
// security through its dialog or of several through one request each, the
// issuer's suspension, the security selection and Go To a short name.
#pragma once

#include "kv32/windows/list_view.h"

class CSecsDoc;

class CSecsView : public CListView {
    Q_OBJECT
public:
    explicit CSecsView(QWidget* parent = nullptr);
    ~CSecsView() override;

    CSecsDoc* GetSecsDoc() const;
    void OnOrderBook() { OpenBook(11); }
    void OnMarketByOrder() { OpenBook(12); }
    void OnAllBoards();
    void OnRelated(std::uint32_t tableId);
    void OnOrderMethods();
    void OnSuspend(bool suspend);
    void OnIssuer(bool suspend);

    void OnFilter() override;
    bool HasFilterDialog() const override;
    // The order book of the row's security, then the grid's own handling.
    void onCellDoubleClicked(int row, int col) override;

protected:
    int FindRowOfText(const std::string& text) const override;

private:
    void OpenBook(std::uint32_t tableId);
    int CurrentSecurityRow() const;
};

// Opens the window of a security's book (order book 11, market by order 12)
// on the security; null when the program has no such window.
CTDoc* KvOpenSecurityBook(std::uint32_t tableId, const std::string& securityKey);
