// Dialog, control and string ids of the message dialogs: sending a user
// message, reading a received one and the alert log pop-up.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/resources.h"
#include "kv32/shell/shell_dialogs.h"

enum Kv32MessageControlId : unsigned {
    // Send Message.
    IDC_MSG_USER = 103,
    IDC_MSG_TEXT = 135,
    IDC_MSG_TIME = 172,
    IDC_MSG_FIRM = 179,
    IDC_MSG_ALL_FIRMS = 180,
    IDC_MSG_ALL_USERS = 181,
    IDC_MSG_INFO_FEED = 182,
    IDC_MSG_URGENT = 343,
    IDC_MSG_REGULAR = 344,
    IDC_MSG_NON_DISPLAY = 345,
    IDC_MSG_DRAFT = 475,
    // Received Message (the text shares IDC_MSG_TEXT).
    IDC_RECV_TO_USER = 136,
    IDC_RECV_TO_FIRM = 137,
    IDC_RECV_FROM_USER = 138,
    IDC_RECV_FROM_FIRM = 139,
    IDC_RECV_TIME = 140,
    // Alert Log Message.
    IDC_LOG_DATE = 150,
    IDC_LOG_TIME = 151,
    IDC_LOG_SECURITY = 152,
    IDC_LOG_BOARD = 153,
    IDC_LOG_DESCRIPTION = 154,
    IDC_LOG_FIRM = 155,
    IDC_LOG_USER = 156,
};

enum Kv32MessageStringId : unsigned {
    IDS_MSG_UPDATE = 8300,
    IDS_MSG_UNKNOWN_FIRM = 8301,
    IDS_MSG_UNKNOWN_USER = 8302,
    IDS_MSG_TOO_LONG = 8303,
    IDS_TEXT_NOT_SENDABLE = 8304,
    IDS_FTP_CANNOT_CONNECT = 8305,
    IDS_FTP_CANNOT_SET_REMOTE = 8306,
    IDS_FTP_INVALID_ADDRESS = 8307,
    IDS_FTP_CANNOT_SET_LOCAL = 8308,
    IDS_FTP_CANNOT_GET = 8309,
    IDS_FTP_UNKNOWN_ERROR = 8310,
    IDS_FTP_UNSAFE_NAME = 8311,
};

std::span<const fw::DialogTemplate> Kv32MessageDialogTemplates();
std::span<const fw::StringEntry> Kv32MessageDialogStrings();
void Kv32RegisterMessageDialogs();
// The template id, once the templates are registered (for dialog constructors).
inline std::uint32_t Kv32MessageDialog(std::uint32_t templateId)
{
    Kv32RegisterMessageDialogs();
    return templateId;
}
// The text of one of the ids above in the current language.
std::string Kv32MessageDialogString(std::uint32_t id);
