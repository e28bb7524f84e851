#include "kv32/lists/request_doc.h"

#include <new>

#include "fw/core/msgbox.h"
#include "kv32/res/ids.h"
#include "kv32/res/strings.h"
#include "kv32/tables/host_table.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"
#include "kvcore/router/record_reader.h"
#include "kvcore/values/field_writer.h"

CRequestDoc::CRequestDoc(int requestCode)
    : m_nRequestCode(requestCode)
    , m_szSeqNum(kSeqWidth, '0')
{
}

CRequestDoc::~CRequestDoc() = default;

bool CRequestDoc::onNewDocument()
{
    if (!CTDocVorl::onNewDocument())
        return false;
    ApplyFilter(true);
    m_szSeqNum.assign(kSeqWidth, '0');
    m_bOpened = 1;
    return true;
}

void CRequestDoc::onCloseDocument()
{
    if (m_bOpened)
        ClearRows();
    CTDocVorl::onCloseDocument();
}

void CRequestDoc::SetDocDescription()
{
    KvDescribeColumns(*this, Columns(), GetFirstColumnID(), GetMaxColumns());
}

int CRequestDoc::ApplyFilter(bool retitle)
{
    return CTDocVorl::ApplyFilter(retitle);
}

int CRequestDoc::UpdateReq()
{
    const std::string key = RequestKey();
    if (key.empty())
        return 0;
    return SendStandingRequest(
        m_nRequestCode, this, [&](KvFieldWriter& w) { w.Text(m_szSeqNum, kSeqWidth).Raw(key); });
}

int CRequestDoc::StoreDataItem(tagTMSG* message)
{
    if (message == nullptr || message->pText == nullptr || message->nLength <= 0)
        return 0;
    if (message->pText[0] == '#')
        return 1;
    m_bReceived = true;
    return StoreReply(message);
}

int CRequestDoc::StoreReply(tagTMSG* message)
{
    return CTDocVorl::StoreDataItem(message);
}

int CRequestDoc::Decode(CRecordReader& reader)
{
    const std::string seq = reader.TextNoStrip(kSeqWidth);
    if (!reader.Ok())
        return 0;
    m_sRecordSeq = seq;
    try {
        DecodeRecord(reader);
    } catch (const std::bad_alloc&) {
        KvMessageBox(Kv32LoadString(IDS_LOW_MEMORY), fw::MB_ICONEXCLAMATION);
        return 0;
    }
    if (!reader.Ok())
        return 0;
    m_szSeqNum = seq;
    return 1;
}

void CRequestDoc::OnPostReceive()
{
    if (!m_bReceived)
        return;
    m_bReceived = false;
    OnReplyDone();
    const bool inPlace = !m_bAllRowsChanged && !m_changedRows.Rows().empty();
    m_bAllRowsChanged = false;
    if (inPlace) {
        m_changedRows.SetSize(GetRowCount());
        UpdateDocument(0, &m_changedRows);
    } else {
        UpdateDocument(0, nullptr);
    }
    m_changedRows.Clear();
}

void CRequestDoc::Restart()
{
    m_szSeqNum.assign(kSeqWidth, '0');
    ClearRows();
    MarkAllRowsChanged();
}

void CRequestDoc::StoreDocumentInfo()
{
    if (m_bSkipStore) {
        m_bSkipStore = 0;
        return;
    }
    CTDocVorl::StoreDocumentInfo();
}
