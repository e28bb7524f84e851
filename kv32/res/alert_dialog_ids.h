// Dialog, control and string ids of the alert definition dialogs, the order
// counting limits dialog and the security selection dialog.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/resources.h"

enum Kv32AlertDialogId : unsigned {
    IDD_ALERT_SELECT = 213,
    IDD_ORDCOUNT_ALERT = 277,
    IDD_TRADER_ALERT = 410,
    IDD_FIRM_ALERT = 411,
    IDD_SEC_ALERT = 412,
};

enum Kv32AlertControlId : unsigned {
    // Alert definitions.
    IDC_ALERT_BOARD = 1000,
    IDC_ALERT_SUBJECT = 121,
    IDC_ALERT_CRITERION = 413,
    IDC_ALERT_OPERATOR = 414,
    IDC_ALERT_VALUE = 346,
    IDC_ALERT_PERCENT = 348,
    IDC_ALERT_EXPLANATION = 135,
    IDC_ALERT_OPERATOR_LABEL = 1201,
    IDC_ALERT_VALUE_LABEL = 1202,
    IDC_ALERT_CREATE = 358,
    IDC_ALERT_CLEAR = 415,
    IDC_ALERT_CLEAR_ALL = 416,
    // Order counting limits.
    IDC_OCA_BOARD = 1000,
    IDC_OCA_FIRM = 121,
    IDC_OCA_ALL = 602,
    IDC_OCA_NORMAL = 604,
    IDC_OCA_MM = 384,
    IDC_OCA_NORMAL_AVG = 383,
    IDC_OCA_MM_AVG = 385,
    IDC_OCA_PERIOD = 108,
    IDC_OCA_DELETE = 605,
    // Security selection.
    IDC_SEL_BOARDS = 1100,
    IDC_SEL_SECURITIES = 1101,
    IDC_SEL_CHOOSER = 1102,
    IDC_SEL_AVAILABLE = 1103,
    IDC_SEL_SELECTION = 1104,
    IDC_SEL_ADD = 1105,
    IDC_SEL_ADD_ALL = 1106,
    IDC_SEL_REMOVE = 1107,
    IDC_SEL_REMOVE_ALL = 7030,
    IDC_SEL_UNSELECT_CHOOSER = 1109,
    IDC_SEL_UNSELECT_AVAILABLE = 1110,
};

enum Kv32AlertDialogStringId : unsigned {
    // 5509 + criterion: the explanation of a security percent criterion.
    IDS_ALERT_EXPLANATION_FIRST = 5509,
    IDS_SECURITY_FIRST = 20530,
    IDS_ORDCOUNT_NEED_LIMIT = 20531,
    IDS_ORDCOUNT_NO_BOARD = 20532,
    IDS_ORDCOUNT_NO_FIRM = 20533,
};

std::span<const fw::DialogTemplate> Kv32AlertDialogTemplates();
std::span<const fw::StringEntry> Kv32AlertDialogStrings();
void Kv32RegisterAlertDialogs();
// The template id, once the templates are registered (for dialog constructors).
inline std::uint32_t Kv32AlertDialog(std::uint32_t templateId)
{
    Kv32RegisterAlertDialogs();
    return templateId;
}
// The text of one of the ids above in the current language.
std::string Kv32AlertDialogString(std::uint32_t id);
