// Texts of the order list files: the element names, which follow the user's
// language, and the messages and file dialog texts of their export and import.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/strings.h"

enum Kv32OrderListStringId : unsigned {
    // The field element names run from here, one id per name; a file is read
    // with the names of the language it was written in.
    IDS_ODL_FIRST_NAME = 1024,
    IDS_ODL_ORDER_NO = 1024,
    IDS_ODL_VALUE = 1025,
    IDS_ODL_TIMEOUT = 1026,
    IDS_ODL_DISS_STATUS = 1027,
    IDS_ODL_YIELD = 1028,
    IDS_ODL_DATE = 1029,
    IDS_ODL_TIME = 1030,
    IDS_ODL_SECURITY = 1031,
    IDS_ODL_BOARD = 1032,
    IDS_ODL_USER = 1033,
    IDS_ODL_TRD_ACC = 1034,
    IDS_ODL_BUY_SELL = 1035,
    IDS_ODL_SETTLE_DATE = 1036,
    IDS_ODL_STATUS = 1037,
    IDS_ODL_TYPE = 1038,
    IDS_ODL_PRICE = 1039,
    IDS_ODL_QTY = 1040,
    IDS_ODL_HIDDEN = 1041,
    IDS_ODL_BALANCE = 1042,
    IDS_ODL_EXPIRY_DATE = 1043,
    IDS_ODL_EXPIRY_TIME = 1044,
    IDS_ODL_TRIGGER_PRICE = 1045,
    IDS_ODL_REFERENCE = 1046,
    IDS_ODL_WARNING_TIMEOUT = 1047,
    IDS_ODL_NEXT_LINK_ORDER_NO = 1048,
    IDS_ODL_PREV_LINK_ORDER_NO = 1049,
    IDS_ODL_CP_USER = 1050,
    IDS_ODL_DISS_TIME = 1051,
    IDS_ODL_WORK_AREA = 1052,
    IDS_ODL_TRADE_SOURCE = 1053,
    IDS_ODL_FILL_MIN_QTY = 1054,
    // 1055 to 1059 are reserved names without a text.
    IDS_ODL_LAST_NAME = 1059,
    IDS_ODL_ORDER = 1072,
    IDS_ODL_NEG_DEAL = 1073,

    IDS_ODL_EXPORT_FILTER = 10306,
    IDS_ODL_EXPORT_TITLE = 10307,
    IDS_ODL_CREATE_FILE_ERROR = 10308,
    IDS_ODL_WRITE_ERROR = 10309,
    IDS_ODL_IMPORT_TITLE = 10312,
    IDS_ODL_READ_ERROR = 10313,
    IDS_ODL_OPEN_FILE_ERROR = 10314,
    IDS_ODL_LINE_READ_ERROR = 10315,
    IDS_ODL_FIELD_NOT_ENDED_AT_ORDER_END = 10316,
    IDS_ODL_ORDER_NOT_ENDED = 10317,
    IDS_ODL_END_OF_UNSTARTED_ORDER = 10318,
    IDS_ODL_LAST_ORDER_NOT_ENDED = 10319,
    IDS_ODL_FIELD_NOT_ENDED = 10320,
    IDS_ODL_FIELD_OUTSIDE_ORDER = 10321,
    IDS_ODL_END_OF_UNSTARTED_FIELD = 10322,
    IDS_ODL_END_OF_OTHER_FIELD = 10323,
    IDS_ODL_DATA_OUTSIDE_FIELD = 10324,
    IDS_ODL_DATA_REDEFINED = 10325,
    IDS_ODL_WRONG_DATA_FORMAT = 10326,
    IDS_ODL_PRIVATE_EXPORT_FILTER = 10328,
    IDS_ODL_PRIVATE_IMPORT_FILTER = 10329,
    IDS_ODL_NO_WAI = 10330,
    IDS_ODL_WRONG_COLUMN_NAME = 20527,
    IDS_ODL_WRONG_FIELD_COUNT = 20528,
};

std::span<const fw::StringEntry> Kv32OrderListStrings();
// Puts the table into the process's string table (once).
void RegisterOrderListStrings();
// The text of the id in the current language (the table registered on first use).
std::string Kv32OrderListString(std::uint32_t id);
