// The base of the list windows' filter dialogs. A dialog edits a copy of its
// window's criteria and hands the copy over only on OK, so Cancel leaves the
// window's criteria as they were, also after Clear. The base carries what
// the dialogs share: the lists filled from the tables with their "All" boxes,
// the no-filtering box that switches the whole form off, the number edits and
// time pickers, Clear, and OK rebuilding each list in force from its
// selection. A dialog binds its criteria's members to its controls by id.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "kv32/dialogs/kv_dialog.h"
#include "kv32/filters/dialogs/filter_rules.h"
#include "kv32/res/filter_dialog_ids.h"
#include "kvcore/values/cdatetime.h"

class CIntEdit;
class KvDateTimePicker;

class CFilterDlg : public CKvDialog {
    Q_OBJECT
public:
    ~CFilterDlg() override;

    bool onInitDialog() override;
    void doDataExchange(fw::DataExchange& dx) override;
    void onOK() override;

protected:
    CFilterDlg(uint32_t templateId, QWidget* parent);

    // Bindings, made by the dialog's constructor on its copy of the criteria.
    void BindNoFiltering(uint32_t id, int32_t& value);
    void BindCheck(uint32_t id, int32_t& value);
    // Boards: the active boards by name; securities: every security by its
    // short name. The criteria hold table rows.
    void BindBoards(int32_t& all, std::vector<int>& rows);
    void BindSecurities(int32_t& all, std::vector<int>& rows);
    // A list of texts, filled by fill when the dialog opens.
    void BindTexts(uint32_t listId, uint32_t allId, int32_t& all, std::vector<std::string>& texts,
        std::function<std::vector<std::string>()> fill);
    void BindNumber(uint32_t id, uint32_t& value);
    void BindTime(uint32_t id, CDateTime& value, bool upper);
    void BindDate(uint32_t id, CDateTime& value, bool upper);

    // The copy back to the defaults (Clear), and the copy handed to the window (OK).
    virtual void ResetCopy() = 0;
    virtual void Commit() = 0;
    // What the user and account lists offer: every user code, the session's trading accounts.
    static std::vector<std::string> UserCodes();
    static std::vector<std::string> SessionAccounts();

    // Controls of the dialog's own (filled on opening, stored on OK).
    virtual void FillOwnControls() { }
    virtual void StoreOwnControls() { }

private:
    enum class ListKind { Rows, Texts };
    struct ListBinding {
        KvFilterList ids;
        ListKind kind;
        int32_t* all;
        std::vector<int>* rows;
        std::vector<std::string>* texts;
        std::function<std::vector<std::string>()> fillTexts;
        std::function<std::string(int row)> nameOfRow; // rows: the text an entry is shown by
    };
    struct PickerBinding {
        uint32_t id;
        CDateTime* value;
        bool upper;
        bool date;
        std::unique_ptr<KvDateTimePicker> picker; // time pickers
        CDateTime shown; // what data exchange put into the picker
    };

    void AddList(ListBinding list);
    void FillLists();
    void NoFilteringRule();
    void AllRule(const ListBinding& list);
    void Clear();
    void RebuildLists();
    void ExchangePicker(PickerBinding& p, bool saving);

    KvFilterForm m_form;
    int32_t* m_noFiltering = nullptr;
    std::vector<std::pair<uint32_t, int32_t*>> m_checks;
    std::vector<ListBinding> m_lists;
    std::vector<std::pair<uint32_t, uint32_t*>> m_numbers;
    std::vector<std::unique_ptr<CIntEdit>> m_numberEdits;
    std::vector<PickerBinding> m_pickers;
};

// A filter dialog over one criteria class: the copy it edits and the window's
// criteria it hands the copy to.
template <class TCriteria> class CFilterDlgOf : public CFilterDlg {
protected:
    CFilterDlgOf(uint32_t templateId, TCriteria& criteria, QWidget* parent)
        : CFilterDlg(templateId, parent)
        , m_target(criteria)
        , m_copy(criteria)
    {
    }
    void ResetCopy() override { m_copy.Reset(); }
    // The no-filtering box and the four lists of the trading windows: boards,
    // securities, users and trading accounts.
    void BindTradingLists()
    {
        BindNoFiltering(IDC_FLT_NO_FILTERING, m_copy.m_bNoFiltering);
        BindBoards(m_copy.m_bAllBoards, m_copy.m_aBoards);
        BindSecurities(m_copy.m_bAllSecurities, m_copy.m_aSecurities);
        BindTexts(IDC_FLT_USERS, IDC_FLT_ALL_USERS, m_copy.m_bAllUsers, m_copy.m_aUsers, UserCodes);
        BindTexts(IDC_FLT_ACCOUNTS, IDC_FLT_ALL_ACCOUNTS, m_copy.m_bAllAccounts, m_copy.m_aAccounts,
            SessionAccounts);
    }
    void Commit() override { m_target = m_copy; }

    TCriteria& m_target;
    TCriteria m_copy;
};
