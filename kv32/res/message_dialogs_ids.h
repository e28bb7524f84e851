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
    // News.
    IDC_NEWS_TITLE = 637,
    IDC_NEWS_TYPE = 638,
    IDC_NEWS_LANGUAGE = 639,
    IDC_NEWS_ISSUER = 641,
    IDC_NEWS_SECURITY = 642,
    IDC_NEWS_PATH = 644,
    IDC_NEWS_OPEN = 645,
    IDC_NEWS_GET_HEADER = 646,
    IDC_NEWS_VIEW = 647,
    IDC_NEWS_TEXT = 648,
    IDC_NEWS_FLASH = 649,
    IDC_NEWS_INFO_FEED = 650,
    IDC_NEWS_URGENT = 651,
    IDC_NEWS_REGULAR = 652,
    IDC_NEWS_NON_DISPLAY = 653,
    IDC_NEWS_TIME = 654,
    // News item and Received News.
    IDC_ITEM_DATE = 630,
    IDC_ITEM_TIME = 631,
    IDC_ITEM_TYPE = 632,
    IDC_ITEM_TEXT = 633,
    IDC_ITEM_TITLE = 634,
    IDC_ITEM_ISSUER = 635,
    IDC_ITEM_SECURITY = 636,
    IDC_RECV_NEWS_TITLE = 334,
};

enum Kv32NewsDialogId : unsigned {
    IDD_NEWS_ITEM = 196,
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
    IDS_NEWS_NO_ISSUERS = 8312,
    IDS_NEWS_NO_TYPES = 8313,
    IDS_NEWS_NO_LANGUAGES = 8314,
    IDS_NEWS_ISSUER_MANDATORY = 8315,
    IDS_NEWS_TYPE_MANDATORY = 8316,
    IDS_NEWS_LANGUAGE_MANDATORY = 8317,
    IDS_NEWS_TITLE_MANDATORY = 8318,
    IDS_NEWS_CANNOT_OPEN_FILE = 8319,
    // The desktop's answers when it opens a document, by the shell's error code.
    IDS_SHELL_FILE_NOT_FOUND = 8264,
    IDS_SHELL_OUT_OF_RESOURCES = 8270,
    IDS_SHELL_BAD_FORMAT = 8272,
    IDS_SHELL_ACCESS_DENIED = 8273,
    IDS_SHELL_NO_ASSOCIATION_INCOMPLETE = 8274,
    IDS_SHELL_DDE_BUSY = 8275,
    IDS_SHELL_DDE_FAILED = 8276,
    IDS_SHELL_DDE_TIMEOUT = 8277,
    IDS_SHELL_DLL_NOT_FOUND = 8278,
    IDS_SHELL_NO_ASSOCIATION = 8279,
    IDS_SHELL_OUT_OF_MEMORY = 8280,
    IDS_SHELL_SHARING_VIOLATION = 8281,
    IDS_SHELL_UNKNOWN_ERROR = 8282,
    // 8271 is the message table's "No Message was found".
    IDS_SHELL_PATH_NOT_FOUND = 8283,
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
