// The exchange's participants (member firms), each with sixteen order and
// trade statistics that the host keeps current, a suspension state and a link
// to the local firm alert definitions.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "kv32/tables/subscribed_table.h"
#include "kv32/tables/trader_table.h"
#include "kvcore/values/cdouble.h"

struct ParticipantRec {
    int32_t nAlertLink = -1;
    char szCode[13] = {};
    char szName[31] = {};
    char szType[5] = {}; // "BROK", "EXCH", ...
    char szStatus[33] = {};
    CDouble dNumber51;
    CDouble dNumber67;
    int32_t nYFlag = 0; // the logon-verification flag
    int32_t nActiveCount = 0; // the 4-digit number of the change report
    CDouble aStats[kPartyStatistics];
    char szPhone[31] = {};
    char szText[51] = {};
    int32_t nActive = 0; // -1 active, 0 suspended
};

class CParticipantTable : public CSubscribedTable<CHostPtrTable<ParticipantRec>> {
public:
    static constexpr uint16_t kTableId = 17;
    static constexpr int kSnapshotRequest = 19;
    static constexpr int kChangeRequest = 41;

    CParticipantTable();

    int Decode(CRecordReader& reader) override;
    int StoreDataItem(tagTMSG* message) override;
    // A change report; it may end with '#' right after the status. Nonzero when read whole.
    int DecodeUpdate(std::string_view report);

    int FindByCode(const char* code);
    // With type1, the participant's type must be type1 or (when given) type2.
    int FindByName(const char* name, const char* type1 = nullptr, const char* type2 = nullptr);
    // The rows the user may see: all with bit 8 of the rights for type 19, else his own firm's.
    std::vector<int> SelectVisible();
    std::vector<std::string> FillSelCodes();
    std::vector<std::string> FillSelNames();
    std::vector<std::string> FillCodes();
    std::vector<std::string> FillNames();
    // "BROK" participants with at least one trader.
    std::vector<std::string> FillBrokerCodes();
    std::vector<std::string> FillBrokerNames();
    // "BROK" and "EXCH" participants with at least one trader.
    std::vector<std::string> FillMemberNames();

    // Links each row to its alert definition: find(code) gives the
    // definition's index or -1; link(definition, row) tells the definition
    // its row. Rows without a definition get -1.
    void LinkAlerts(const std::function<int(std::string_view code)>& find, const std::function<void(int definition, int row)>& link);

    // The firm alert test of a changed statistic: (alert link, figure, value).
    std::function<void(int32_t alertLink, int figure, const CDouble& value)> m_alertTest;

protected:
    void OnLoad() override;

private:
    bool HasTrader(const char* code) const;
    // Brokers (and with withExchange the exchange members) that have a trader.
    std::vector<int> TradingRows(bool withExchange);
    std::vector<std::string> Collect(const std::vector<int>& rows, bool names);
};

