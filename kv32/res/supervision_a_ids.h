// Dialog, control and string ids of the suspend, reference price, set limits
// and trading event dialogs.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/resources.h"

enum Kv32SupervisionADialogId : unsigned {
    IDD_SCHEDULE_ENTRY = 148,
    IDD_REF_PRICE = 235,
    IDD_SUSPEND = 242,
    IDD_SET_LIMITS = 268,
};

enum Kv32SupervisionAControlId : unsigned {
    // Suspend and unsuspend.
    IDC_SUSP_MESSAGE = 502,
    IDC_SUSP_REASON = 504,
    IDC_SUSP_SUBJECT = 508,
    IDC_SUSP_EVENT_TIME = 510,
    IDC_SUSP_NEW_STATE = 552,
    IDC_SUSP_TIME = 573,
    IDC_SUSP_AT_TIME = 601,
    IDC_SUSP_DEFAULT = 346,
    IDC_SUSP_URGENT = 343,
    IDC_SUSP_REGULAR = 344,
    IDC_SUSP_NON_DISPLAY = 345,
    IDC_SUSP_SUBJECT_LABEL = 1301,
    IDC_SUSP_NEW_STATE_LABEL = 1302,
    // Reference price; the board and security combos are shared with the trading event dialog.
    IDC_SUP_BOARD = 1000,
    IDC_SUP_SECURITY = 199,
    IDC_RP_PRICE = 1001,
    // Set limits.
    IDC_SL_CASH_POOL = 582,
    IDC_SL_WARN = 583,
    IDC_SL_HARD = 584,
    IDC_SL_ORDER = 585,
    IDC_SL_LOG_WARN = 586,
    IDC_SL_ALLOW_BREACH = 587,
    // Trading event entry.
    IDC_SE_TRANSITION = 108,
    IDC_SE_TIME = 172,
    IDC_SE_PRIORITY = 173,
    IDC_SE_INSTRUMENT = 215,
};

enum Kv32SupervisionAStringId : unsigned {
    IDS_SUSP_CAPTION_ALL = 8233,
    IDS_UNSUSP_CAPTION_ALL = 8234,
    IDS_SUSP_CAPTION_SECURITY = 8235,
    IDS_UNSUSP_CAPTION_SECURITY = 8236,
    IDS_SUSP_CAPTION_ISSUER = 8237,
    IDS_UNSUSP_CAPTION_ISSUER = 8238,
    IDS_SUSP_ISSUER = 8240,
    IDS_SUSP_SECURITY = 8241,
    IDS_SUSP_TECHNICAL = 8242,
    IDS_SUSP_REF_PRICE_HALT = 8243,
    IDS_SUSP_COMPANY_REQUEST = 8244,
    IDS_SUSP_EXCHANGE_DECISION = 8245,
    IDS_SUSP_OK_SUSPEND = 8246,
    IDS_SUSP_OK_UNSUSPEND = 8247,
    IDS_SUSP_OK_DELETE = 8248,
    IDS_SUSP_HALT_ANNOUNCEMENT = 8249,
    IDS_SUSP_HALT_STATEMENT = 8250,
    IDS_SUSP_HALT_INTERIM = 8251,
    IDS_SUSP_UNSUSPENDED = 8252,
    IDS_SUSP_TRADING = 8259,
    IDS_SE_CAPTION_ADD = 8262,
    IDS_SE_CAPTION_MODIFY = 8263,
    IDS_SUSP_CERTI_KO = 8265,
    IDS_RP_REMARKABLE = 10300,
    IDS_RP_SAVE_CHANGES = 10301,
    IDS_SE_EARLIER_TIME = 35983,
};

std::span<const fw::DialogTemplate> Kv32SupervisionADialogTemplates();
std::span<const fw::StringEntry> Kv32SupervisionAStrings();
void Kv32RegisterSupervisionADialogs();
// The template id, once the templates are registered (for dialog constructors).
inline std::uint32_t Kv32SupervisionADialog(std::uint32_t templateId)
{
    Kv32RegisterSupervisionADialogs();
    return templateId;
}
// The text of one of the ids above in the current language.
std::string Kv32SupervisionAString(std::uint32_t id);
