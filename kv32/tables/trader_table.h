// The users who trade for the exchange's participants, each with sixteen
// order and trade statistics that the host keeps current, a suspension state
// and a link to the local user alert definitions.
#pragma once

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "kv32/tables/subscribed_table.h"
#include "kvcore/values/cdouble.h"

// Order and trade statistics per participant and per trader.
constexpr int kPartyStatistics = 16;

struct TraderRec {
    int32_t nIndex = 0;
    int32_t nAlertLink = -1;
    char szCode[13] = {}; // user id
    char szName[31] = {};
    char szFirm[13] = {}; // participant code
    char szRole[13] = {};
    char szStatus[33] = {};
    char szApprove[13] = {}; // "Yes": the user's orders need approval
    int32_t nYFlag = 0; // the logon-verification flag
    char szActive[6] = {}; // "Yes" while logged on
    char szGateway[21] = {};
    char szWorkstation[21] = {};
    CDouble aStats[kPartyStatistics];
    char szPhone[31] = {};
    char szText[51] = {};
    int32_t nActive = 0; // -1 active, 0 suspended
};

class CTraderTable : public CSubscribedTable<CHostPtrTable<TraderRec>> {
public:
    static constexpr uint16_t kTableId = 16;
    static constexpr int kSnapshotRequest = 18;
    static constexpr int kChangeRequest = 40;

    CTraderTable();

    int Decode(CRecordReader& reader) override;
    int StoreDataItem(tagTMSG* message) override;
    // A change report; it may end with '#' right after the status. Nonzero when read whole.
    int DecodeUpdate(std::string_view report);

    int FindByCode(const char* userId) const;
    int FindByName(const char* name) const;
    // The first trader of this name whose firm is the "BROK" participant of this firm name.
    int FindByNameAndFirm(const char* name, const char* firmName);
    std::string GetFirmCode(const char* userId) const;
    // Rights for type 18: bit 8 all, else bit 4 the own firm's, else bit 2 only the user.
    std::vector<int> SelectVisible();
    std::vector<std::string> FillSelCodes();
    std::vector<std::string> FillNames();
    std::vector<std::string> FillCodes();
    std::vector<std::string> FillNamesOfFirm(const char* firmName);

    // Links each row to its alert definition: find(code) gives the
    // definition's index or -1; link(definition, row) tells the definition
    // its row. Rows without a definition get -1.
    void LinkAlerts(const std::function<int(std::string_view code)>& find,
        const std::function<void(int definition, int row)>& link);

    std::function<void(int32_t alertLink, int figure, const CDouble& value)> m_alertTest;

protected:
    void OnLoad() override;
};

// The names of dialogs that call the traders the users.
using CUserTable = CTraderTable;
// Links every row of a table (records with szCode and nAlertLink) to its alert definition.
template <class TTable>
void LinkRowsToAlerts(TTable& table, size_t codeWidth, const std::function<int(std::string_view code)>& find,
    const std::function<void(int definition, int row)>& link)
{
    for (int row = 0; row < table.GetCount(); ++row) {
        auto& rec = *table.GetRec(row);
        const int definition = find(std::string_view(rec.szCode, strnlen(rec.szCode, codeWidth)));
        rec.nAlertLink = definition;
        if (definition >= 0 && link)
            link(definition, row);
    }
}

// The sixteen statistics of a change report, 16 characters each.
void ReadPartyStatistics(CRecordReader& reader, CDouble (&stats)[kPartyStatistics]);
// Runs an alert test over the sixteen statistics of a row with an alert link.
void TestPartyStatistics(const std::function<void(int32_t, int, const CDouble&)>& test, int32_t link,
    const CDouble (&stats)[kPartyStatistics]);

// The logged-on user's code (12 characters at most); empty when nobody is.
std::string LoggedOnUser();
// The firm of the logged-on user; empty when the trader table does not know him.
std::string OwnFirmCode();
