#include "kv32/dialogs/setup_rules.h"

#include "fw/core/profile.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/print_log.h"
#include "kv32/shell/session.h"
#include "kv32/tables/last_trade_table.h"
#include "kv32/tables/all_tables.h"
#include "kv32/tables/table_settings.h"
#include "kvcore/app/app_core_logic.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/grid/gx_doc.h"

namespace {

constexpr const char* kGeneral = "general";
constexpr int kMaxSetupNumber = 32767;

constexpr uint32_t kRequiredEdits[] = {
    IDC_SETUP_TIME_SLICE, IDC_SETUP_LOGO, IDC_SETUP_INFORM_BY, IDC_SETUP_BEEPS,
    IDC_SETUP_PRICE_SLICES, IDC_SETUP_ANY_SLICES, IDC_SETUP_PAGE_WIDTH, IDC_SETUP_FONT_SIZE,
};

int* FieldOf(KvSetup& s, uint32_t id)
{
    switch (id) {
    case IDC_SETUP_TIME_SLICE: return &s.timeSlice;
    case IDC_SETUP_LOGO: return &s.logoSeconds;
    case IDC_SETUP_INFORM_BY: return &s.informBy;
    case IDC_SETUP_BEEPS: return &s.beeps;
    case IDC_SETUP_PRICE_SLICES: return &s.priceSlices;
    case IDC_SETUP_ANY_SLICES: return &s.anySlices;
    case IDC_SETUP_PAGE_WIDTH: return &s.pageWidth;
    case IDC_SETUP_FONT_SIZE: return &s.fontSize;
    case IDC_SETUP_LAST_TRADES: return &s.lastTrades;
    default: return nullptr;
    }
}

} // namespace

bool CheckSetupNumber(std::string_view text, bool isSigned, int& value)
{
    bool negative = false;
    if (isSigned && !text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 6)
        return false;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    if (v > kMaxSetupNumber)
        return false;
    value = negative ? -v : v;
    return true;
}

bool SetupOkEnabled(const std::function<std::string(uint32_t)>& textOf, bool endTimeValid)
{
    if (!endTimeValid)
        return false;
    for (uint32_t id : kRequiredEdits)
        if (textOf(id).empty())
            return false;
    return true;
}

uint32_t ReadSetupNumbers(const std::function<std::string(uint32_t)>& textOf, KvSetup& setup)
{
    KvSetup read = setup;
    for (const KvSetupEdit& e : kSetupEdits) {
        int value = 0;
        if (!CheckSetupNumber(textOf(e.id), e.isSigned, value))
            return e.id;
        *FieldOf(read, e.id) = value;
    }
    if (read.priceSlices < 0)
        read.priceSlices = -1;
    setup = read;
    return 0;
}

KvSetup KvCurrentSetup()
{
    const CKvAppSettings& app = KvAppSettings();
    const CKvTableSettings& table = KvTableSettings();
    KvSetup s;
    s.timeSlice = iTS;
    s.highSpeedDelay = iHighSpeedDelay;
    if (app.tradingEnd.IsValid()) {
        s.endHour = app.nETHour;
        s.endMinute = app.nETMinute;
    }
    if (CKvAppCoreLogic* logic = CKvAppCoreLogic::CurrentLogic())
        s.logoSeconds = static_cast<int>(logic->GetLogoPeriod() / 1000);
    s.colorMethod = kvcore::CTGXDoc::m_iColorMethod;
    s.lastTrades = app.nLastTrades;
    s.priceChangeMode = table.nPriceChange != 0 ? 1 : 0;
    s.priceSlices = table.nColorDelay;
    s.anySlices = table.nFlashDelay;
    s.printLog = app.bPrintLog;
    s.directPrint = app.bDirectPrint;
    s.pageWidth = app.nDPPageWidth;
    s.fontSize = app.nLogFontSize;
    s.displayType = KvDisplayType();
    if (CSession* session = KvSession()) {
        s.informBy = session->m_nETNotify;
        s.beeps = session->m_nETBeeps;
        s.orderColor = session->m_settings.options.orderColor;
        s.buy = session->m_colour1;
        s.sell = session->m_colour2;
        s.orderExit = session->m_bOrderExit;
        s.copyWindowPos = session->m_bCopyWindowPos;
    }
    return s;
}

void KvApplySetup(const KvSetup& s)
{
    CKvAppSettings& app = KvAppSettings();
    CKvTableSettings& table = KvTableSettings();
    iTS = s.timeSlice;
    iHighSpeedDelay = s.highSpeedDelay;
    if (s.endHour >= 0 && s.endMinute >= 0)
        KvSetTradingEnd(app, s.endHour, s.endMinute);
    if (CKvAppCoreLogic* logic = CKvAppCoreLogic::CurrentLogic())
        logic->SetLogoPeriod(static_cast<unsigned>(s.logoSeconds) * 1000u);
    kvcore::CTGXDoc::m_iColorMethod = s.colorMethod;
    table.nPriceChange = s.priceChangeMode;
    table.nColorDelay = s.priceSlices < 0 ? -1 : s.priceSlices;
    table.nFlashDelay = s.anySlices;
    KvDisplayType() = s.displayType;
    if (CSession* session = KvSession()) {
        session->m_nETNotify = s.informBy;
        session->m_nETBeeps = s.beeps;
        session->m_settings.options.orderColor = s.orderColor;
        session->m_colour1 = s.buy;
        session->m_colour2 = s.sell;
        session->m_bOrderExit = s.orderExit;
        session->m_bCopyWindowPos = s.copyWindowPos;
    }

    fw::Profile profile(kKvAppProfile);
    app.nLastTrades = s.lastTrades;
    LastTradeTable().TrimToLimit(s.lastTrades);
    profile.writeInt(kGeneral, "LastTrades", s.lastTrades);
    app.bDirectPrint = s.directPrint;
    profile.writeInt(kGeneral, "DirectPrint", s.directPrint);
    app.nDPPageWidth = s.pageWidth;
    profile.writeInt(kGeneral, "DPPageWidth", s.pageWidth);
    app.nLogFontSize = s.fontSize;
    profile.writeInt(kGeneral, "LogFontSize", s.fontSize);
    KvSwitchPrintLog(app, s.printLog != 0);
    profile.writeInt(kGeneral, "PrintLog", app.bPrintLog);
}
