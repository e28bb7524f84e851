#include "kv32/tables/ord_count_table.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "kv32/tables/alert_strings.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/record_text.h"
#include "kv32/tables/table_updates.h"
#include "kvcore/app/app_core_logic.h"
#include "kvcore/app/profile_settings.h"

namespace {

// The system's window colour: the window layer resolves it when it paints.
constexpr uint32_t kSystemWindowColor = 0x80000005u;
constexpr int kMarketMakerFlag = 5;

// Two digits of a time text read digit by digit: anything but '1'-'9' counts as 0.
int TwoDigits(std::string_view text, size_t at)
{
    int v = 0;
    for (size_t i = at; i < at + 2; ++i) {
        const char c = i < text.size() ? text[i] : '0';
        v = v * 10 + (c >= '1' && c <= '9' ? c - '0' : 0);
    }
    return v;
}

} // namespace

COrdCountTable::COrdCountTable()
    : CHostTable<COrdCountRec>(kTableId, 32)
{
    m_aColors = { kSystemWindowColor, kSystemWindowColor };
    m_aColorNames = { static_cast<uint16_t>(IDS_ORDCOUNT_OK), static_cast<uint16_t>(IDS_ORDCOUNT_LIMIT_ALERT) };
    SetToday(CDateTime::GetTickCount().FormatDateVORL());
}

void COrdCountTable::SetToday(std::string_view date)
{
    char today[9] = {};
    CopyText(today, date.substr(0, std::min<size_t>(date.size(), 8)));
    // A new trading day counts from its first order.
    if (m_szToday[0] != '\0' && std::strcmp(today, m_szToday) != 0) {
        CHostTable<COrdCountRec>::Free();
        m_pendingRows.clear();
        ResetCounting();
        KvUpdateAllDocuments(kTableId);
    }
    std::memcpy(m_szToday, today, sizeof m_szToday);
}

void COrdCountTable::ResetCounting()
{
    m_nSlot = 0;
    m_bPeriodFull = 0;
    m_nFirstMinute = -1;
    m_nLastMinute = -1;
}

void COrdCountTable::Queue(int row)
{
    if (std::find(m_pendingRows.begin(), m_pendingRows.end(), row) == m_pendingRows.end())
        m_pendingRows.push_back(row);
}

void COrdCountTable::CountOrder(std::string_view board, std::string_view firm, char /*side*/, std::string_view flags,
    char /*status*/, std::string_view entryDate, std::string_view entryTime)
{
    if (m_bFirstCall != 0) {
        m_bFirstCall = 0;
        m_bEnabled = CanAccess(kPermissionCommand, 0) != 0 ? 1 : 0;
        m_nPeriod = nOrdCountPeriod >= 1 && nOrdCountPeriod <= 60 ? nOrdCountPeriod : kDefaultPeriod;
        ResetCounting();
    }
    if (m_bEnabled == 0 || entryDate.substr(0, std::min<size_t>(entryDate.size(), 8)) != m_szToday)
        return;
    const int minute = TwoDigits(entryTime, 0) * 60 + TwoDigits(entryTime, 2);
    const int second = TwoDigits(entryTime, 4) % 60;

    COrdCountRec fresh;
    const int found = FindFirstRow(*this, [&](const COrdCountRec& r) {
        return SameStripped(r.szBoard, board, 4) && SameStripped(r.szFirm, firm, 12);
    });
    COrdCountRec* rec = nullptr;
    if (found >= 0) {
        rec = GetRec(found);
    } else {
        std::memset(static_cast<void*>(&fresh), 0, sizeof fresh);
        fresh.nAlert = -1;
        CopyText(fresh.szBoard, SameStripped("", board, 4) ? std::string_view() : board.substr(0, std::min<size_t>(board.size(), 4)));
        CopyText(fresh.szFirm, firm.substr(0, std::min<size_t>(firm.size(), 12)));
        // Stored stripped, as the look-ups compare.
        for (char* text : { fresh.szBoard, fresh.szFirm }) {
            for (size_t n = std::strlen(text); n > 0 && text[n - 1] == ' '; --n)
                text[n - 1] = '\0';
        }
        rec = &fresh;
    }
    CopyText(rec->szLastTime, entryTime.substr(0, std::min<size_t>(entryTime.size(), 6)));
    m_bChanged = 1;
    if (minute != m_nLastMinute)
        RollMinute(minute);
    else if (found >= 0)
        Queue(found);

    const int kind = flags.size() > kMarketMakerFlag && flags[kMarketMakerFlag] == '1' ? 1 : 0;
    ++rec->anOrders[kind];
    ++rec->aPerSecond[second][kind];
    ++rec->anThisMinute[kind];

    int row = found;
    if (found < 0) {
        COrdCountAlertTable& alerts = OrdCountAlertTable();
        fresh.nAlert = alerts.FindByKeys(fresh.szBoard, fresh.szFirm);
        fresh.nIndex = static_cast<uint32_t>(GetCount());
        try {
            row = AddRec(fresh);
            Queue(row);
        } catch (const std::bad_alloc&) {
            ShowLowMemory();
        }
    }
    if (row >= 0) {
        COrdCountRec& stored = *GetRec(row);
        COrdCountAlertTable& alerts = OrdCountAlertTable();
        const COrdCountAlertRec* definition
            = stored.nAlert >= 0 && stored.nAlert < alerts.GetCount() ? alerts.GetRec(stored.nAlert) : nullptr;
        EvaluateFigureAlert(definition, stored, kind, 0);
    }
    OnPostReceive();
    OrdCountAlertTable().OnPostReceive();
}

void COrdCountTable::Average(COrdCountRec& rec, int kind) const
{
    int64_t sum = 0;
    for (int slot = 0; slot < m_nPeriod; ++slot)
        sum += rec.aPerMinute[slot][kind];
    const double average = static_cast<double>(sum) / (m_nPeriod * 60.0);
    rec.adAverageSpeed[kind] = CDouble(std::round(average * 10.0) / 10.0, 1);
}

void COrdCountTable::RollMinute(int minute)
{
    if (m_nFirstMinute < 0) {
        m_nFirstMinute = m_nLastMinute = minute;
        return;
    }
    // A clock that went back counts as the next minute.
    const int gap = minute > m_nLastMinute ? minute - m_nLastMinute : 1;
    const int skipped = std::min(gap - 1, m_nPeriod);
    COrdCountAlertTable& alerts = OrdCountAlertTable();
    for (int row = 0; row < GetCount(); ++row) {
        COrdCountRec& rec = *GetRec(row);
        const COrdCountAlertRec* definition
            = rec.nAlert >= 0 && rec.nAlert < alerts.GetCount() ? alerts.GetRec(rec.nAlert) : nullptr;
        for (int kind = 0; kind < 2; ++kind) {
            const uint32_t limit
                = definition != nullptr && definition->bDeleted == 0 ? definition->SpeedLimit(kind) : 0;
            for (auto& second : rec.aPerSecond) {
                rec.anPeakPerSecond[kind] = std::max(rec.anPeakPerSecond[kind], second[kind]);
                if (limit != 0 && static_cast<uint32_t>(second[kind]) > limit)
                    ++rec.anSecondsOverSpeed[kind];
                second[kind] = 0;
            }
            rec.aPerMinute[m_nSlot][kind] = rec.anThisMinute[kind];
            rec.anThisMinute[kind] = 0;
            if (m_bPeriodFull != 0) {
                Average(rec, kind);
                EvaluateFigureAlert(definition, rec, kind, 1);
            }
            if (skipped > 0) {
                bool full = m_bPeriodFull != 0;
                int slot = m_nSlot;
                for (int i = 0; i < skipped; ++i) {
                    if (++slot >= m_nPeriod) {
                        slot = 0;
                        full = true;
                    }
                    rec.aPerMinute[slot][kind] = 0;
                }
                if (full) {
                    Average(rec, kind);
                    EvaluateFigureAlert(definition, rec, kind, 1);
                }
            }
        }
        Queue(row);
    }
    if (m_nSlot + gap >= m_nPeriod)
        m_bPeriodFull = 1;
    m_nSlot = (m_nSlot + gap) % m_nPeriod;
    m_nLastMinute = minute;
}

void COrdCountTable::OnPostReceive()
{
    if (!m_pendingRows.empty()) {
        fw::RowHint hint(GetCount());
        for (int row : m_pendingRows)
            hint.AddRow(row);
        KvUpdateAllDocuments(kTableId, &hint);
    }
    m_pendingRows.clear();
    m_bChanged = 0;
}

void COrdCountTable::Free()
{
    CHostTable<COrdCountRec>::Free();
    m_pendingRows.clear();
    m_bFirstCall = 1;
    m_bChanged = 0;
    ResetCounting();
}

void COrdCountTable::SerializeColors(fw::Archive& ar)
{
    if (ar.isStoring()) {
        ar.writeDWordArray(m_aColors);
        return;
    }
    std::vector<uint32_t> colors = ar.readDWordArray();
    if (colors.size() == m_aColorNames.size())
        m_aColors = std::move(colors);
}
