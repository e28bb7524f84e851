// The news heads the exchange sends to the workstations (broadcast 195),
// shown in the News window. Each new head is announced by its display mode
// letter and logged once; a head sent again updates the stored head with the
// same id and drops its body. Bodies are attached later by the news dialogs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "kv32/tables/host_tables.h"
#include "kvcore/values/cdatetime.h"

struct NewsRec {
    int32_t nIndex = 0; // the table's count when the record was added
    int32_t nNewsId = 0;
    char szUser[13] = {};
    char szTypeCode[5] = {};
    char szType[31] = {};
    char szLanguageCode[3] = {};
    char szLanguage[31] = {};
    char szIssuerCode[13] = {};
    char szIssuer[31] = {};
    char szSecurityCode[13] = {}; // the instrument id
    char szSecurity[21] = {};
    CDateTime dateTime;
    char szTitle[41] = {};
    char szFileName[81] = {};
    char cFlag1 = 0;
    char cFlag2 = 0;
    char cDisplayMode = 0; // 'P' pop up, 'S' status line, 'N' nothing
    int32_t nBodyLength = 0;
    std::shared_ptr<const std::string> body; // none until the news dialogs attach it
    char szStatus[2] = {};
};

class CNewsTable : public CHostPtrTable<NewsRec> {
public:
    static constexpr uint16_t kTableId = 19;
    static constexpr int kRecordLength = 188;

    CNewsTable();

    // One broadcast 195; nonzero when the record was read whole.
    int Decode(CRecordReader& reader) override;
    void OnPostReceive() override;
    void Free() override;

    // The text of a status letter: "P"/"p", "F"/"f", "R"/"r", else "S", in the user's language.
    static std::string GetStatusText(char letter);
    // Hangs a fetched body on the head at row i.
    void AttachBody(int i, std::string body);

    // Set by a new head to pop up; read and cleared by the receive step.
    bool m_bPopup = false;

private:
    void Announce(const NewsRec& rec);
    int m_nLastNewsId = 0;
};
