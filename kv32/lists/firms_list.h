// The firms window's document and rules: the participants that pass the
// window's filter, their columns, which commands the current firm's type and
// state allow, and the text of the firm suspend and unsuspend transactions.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "kv32/lists/list_actions.h"
#include "kv32/lists/table_index_doc.h"
#include "kv32/tables/participant_table.h"

class CFirmsDoc : public CTableIndexDocT<CParticipantTable, ParticipantRec> {
public:
    static constexpr std::uint32_t kTableId = CParticipantTable::kTableId;
    static constexpr int kFirstColumn = 840;
    static constexpr int kColumns = 22;

    CFirmsDoc();
    int GetMaxColumns() override { return kColumns; }
    int GetFirstColumnID() override { return kFirstColumn; }
    std::span<const KvListColumn> Columns() const override;
    int ColorIndexOffset() const override;
    // The table's title and the filter's description, without a row count.
    void MakeTitle(std::string& title) override;
};

std::unique_ptr<CListCriteria> KvMakeFirmsCriteria();

enum KvFirmOperator : char { kOprFirmSuspend = 25, kOprFirmUnsuspend = 26 };

// Whether the current firm's type and state allow the command (null: no
// current firm); permission is not asked here.
bool FirmCommandAllowed(unsigned commandId, const ParticipantRec* firm);

// 27 characters: the logged-on user in 12, the operator code as one byte, the
// firm in 12, the notify flag and the display type letter. Empty when the
// code does not fit.
std::string BuildFirmOperatorText(char operatorCode, std::string_view firm, char notify, char display);
// The suspend or unsuspend transaction of one firm; the reply line carries
// the firm's name.
std::optional<KvRowTransaction> FirmTransaction(unsigned commandId, const ParticipantRec& firm);
