#include "kv32/tables/local_order_table.h"

#include <algorithm>
#include <optional>
#include <system_error>

#include "fw/core/archive.h"
#include "fw/core/document.h"
#include "fw/core/msgbox.h"
#include "fw/core/strings.h"
#include "kv32/res/table_strings.h"
#include "kv32/shell/local_orders_port.h"
#include "kv32/shell/text_format.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/table_settings.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/session_core.h"
#include "kvcore/router/kv_trace.h"

CLocalOrderTable& LocalOrderTable()
{
    return KvTables().localOrders;
}

CLocalOrderTable::CLocalOrderTable()
{
    // Calls that a test put in place before the tables were built stay.
    InstallPort(false);
}

void CLocalOrderTable::InstallPort(bool replace)
{
    CKvLocalOrdersPort& port = KvLocalOrdersPort();
    if (replace || !port.load)
        port.load = [this] {
            if (ps != nullptr)
                Load(ps->m_sUser);
        };
    if (replace || !port.store)
        port.store = [this] { Save(); };
    if (replace || !port.discard)
        port.discard = [this] { EndSession(); };
}

CLocalOrderTable::~CLocalOrderTable()
{
    KvLocalOrdersPort() = CKvLocalOrdersPort();
}

void CLocalOrderTable::SetSize(int n, int growBy)
{
    const size_t size = static_cast<size_t>(std::max(n, 0));
    if (size > m_records.capacity()) {
        const size_t current = m_records.capacity();
        const size_t step = growBy > 0 ? static_cast<size_t>(growBy) : std::clamp<size_t>(current / 8, 4, 1024);
        m_records.reserve(std::max(size, current + step));
    }
    while (m_records.size() < size)
        m_records.push_back(std::make_unique<CLocalOrderRec>());
    m_records.resize(size);
}

int CLocalOrderTable::Place(std::unique_ptr<CLocalOrderRec> rec, int row)
{
    if (row < 0) {
        row = GetSize();
        rec->nRowIndex = static_cast<uint32_t>(row);
        SetSize(row + 1);
    } else {
        rec->nRowIndex = GetAt(row)->nRowIndex;
        m_bChanged = true;
    }
    AddWorkArea(rec->szWorkArea);
    m_records[static_cast<size_t>(row)] = std::move(rec);
    m_pendingRows.push_back(row);
    Announce();
    return row;
}

int CLocalOrderTable::Insert(const CLocalOrderRec& rec)
{
    auto copy = std::make_unique<CLocalOrderRec>();
    CopyRec(*copy, rec);
    const std::string& state = StateText(LocalOrderState::Copy);
    std::fill(std::begin(copy->szStatus), std::end(copy->szStatus), '\0');
    state.copy(copy->szStatus, sizeof copy->szStatus - 1);
    return Place(std::move(copy), -1);
}

void CLocalOrderTable::LoadStateTexts()
{
    static constexpr uint32_t kIds[] = { IDS_LOCAL_STATE_NEW, IDS_LOCAL_STATE_COPY, IDS_LOCAL_STATE_AMENDED,
        IDS_LOCAL_STATE_ACCEPTED, IDS_LOCAL_STATE_REJECTED };
    m_stateTexts.clear();
    for (uint32_t id : kIds)
        m_stateTexts.push_back(Kv32TableString(id));
    m_nTextsLanguage = static_cast<int>(fw::language());
}

const std::string& CLocalOrderTable::StateText(LocalOrderState state)
{
    if (m_stateTexts.empty() || m_nTextsLanguage != static_cast<int>(fw::language()))
        LoadStateTexts();
    return m_stateTexts[static_cast<size_t>(state)];
}

void CLocalOrderTable::AddWorkArea(std::string_view name)
{
    if (name.empty() || std::find(m_workAreas.begin(), m_workAreas.end(), name) != m_workAreas.end())
        return;
    m_workAreas.emplace_back(name);
}

void CLocalOrderTable::Serialize(fw::Archive& ar)
{
    if (ar.isStoring()) {
        std::vector<const CLocalOrderRec*> records;
        records.reserve(m_records.size());
        for (const auto& rec : m_records)
            records.push_back(rec.get());
        std::vector<uint8_t> bytes;
        if (!WriteLocalOrderFile(records, bytes))
            throw fw::ArchiveError(fw::ArchiveError::Cause::BadIndex, "private order book: too many orders for the file");
        ar.writeBytes(bytes);
        return;
    }
    std::vector<uint8_t> bytes(ar.remaining());
    ar.readBytes(bytes);
    std::vector<CLocalOrderRec> records;
    if (!ReadLocalOrderFile(bytes, records))
        throw fw::ArchiveError(fw::ArchiveError::Cause::EndOfFile, "private order book: damaged file");
    SetSize(static_cast<int>(records.size()));
    m_workAreas.clear();
    for (size_t i = 0; i < records.size(); ++i) {
        *m_records[i] = records[i];
        AddWorkArea(records[i].szWorkArea);
    }
}

std::filesystem::path CLocalOrderTable::UserFile(std::string_view user)
{
    return KvTableSettings().settingsPath / (std::string(user) + "." + kFileExtension);
}

bool CLocalOrderTable::Load(std::string_view user)
{
    m_file = UserFile(user);
    m_bSaved = false;
    std::optional<fw::Archive> ar = fw::Archive::loadFile(m_file);
    if (!ar)
        return false;
    try {
        Serialize(*ar);
    } catch (const fw::ArchiveError& e) {
        // Kept aside, so that the next store does not overwrite what may still be saved by hand.
        std::filesystem::path aside = m_file;
        aside += ".damaged";
        std::error_code ec;
        std::filesystem::rename(m_file, aside, ec);
        KvTrace("private order book: " + m_file.string() + ": " + e.what());
        KvMessageBox(KvFillText(Kv32TableString(IDS_POB_DAMAGED), { m_file.string(), ec ? m_file.string() : aside.string() }),
            fw::MB_ICONEXCLAMATION);
        return false;
    }
    KvUpdateAllDocuments(kTableId);
    return true;
}

bool CLocalOrderTable::Save()
{
    if (m_file.empty())
        return false;
    fw::Archive ar;
    try {
        Serialize(ar);
    } catch (const fw::ArchiveError& e) {
        KvTrace(std::string(e.what()));
        return false;
    }
    if (!ar.saveFile(m_file))
        return false;
    m_bSaved = true;
    return true;
}

void CLocalOrderTable::EndSession()
{
    if (!m_file.empty() && !Save())
        KvMessageBox(KvFillText(Kv32TableString(IDS_POB_NOT_SAVED), { m_file.string() }), fw::MB_ICONEXCLAMATION);
    RemoveAll();
    m_workAreas.clear();
    m_pendingRows.clear();
    m_bChanged = false;
    m_bSaved = false;
    m_file.clear();
    KvUpdateAllDocuments(kTableId);
}

void CLocalOrderTable::Announce()
{
    if (m_pendingRows.empty())
        return;
    fw::RowHint hint(GetSize());
    for (int row : m_pendingRows)
        hint.AddRow(row);
    KvUpdateAllDocuments(kTableId, &hint);
    m_pendingRows.clear();
}
