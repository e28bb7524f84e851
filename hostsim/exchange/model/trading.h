#pragma once
// Orders, trades and negotiated deals of the day.
#include <cstdint>
#include <string>

#include "model/security.h"

namespace exchange {

struct Order {
    int64_t number = 0;
    std::string entryDate; // YYYYMMDD
    std::string entryTime; // HHMMSS
    char status = 'O'; // O I U M A W E
    char side = 'B';
    std::string flags = std::string(32, '0');
    std::string reference;
    std::string user;
    std::string firm;
    std::string account;
    std::string securityKey;
    int64_t price = 0;
    int64_t yield = kNoValue;
    int64_t quantity = 0;
    int64_t hidden = 0;
    int64_t balance = 0;
    int64_t value = 0; // traded value, value decimals
    std::string settlementDate;
    int64_t previousLink = 0;
    int64_t nextLink = 0;
    std::string expiryDate;
    std::string expiryTime; // "000000" = none
    int64_t trigger = 0;
    int64_t averagePrice = 0; // price decimals + 2
    int64_t minimumFill = 0;
    // Time priority in the book: the order of arrival there (a stop order
    // arrives when it triggers); loaded orders keep their numbers.
    int64_t arrival = 0;
    // An amount order of a primary distribution buys for this amount (value
    // decimals) instead of a quantity; its quantity grows with its fills.
    int64_t amount = 0;
};

struct Trade {
    int64_t number = 0;
    int64_t buyOrder = 0, sellOrder = 0;
    std::string time, amendTime;
    std::string buyReference, sellReference;
    std::string buyUser, sellUser, buyFirm, sellFirm, buyAccount, sellAccount;
    std::string securityKey;
    int64_t price = 0;
    int64_t yield = kNoValue;
    int64_t quantity = 0;
    int64_t value = 0;
    std::string settlementDate;
    int64_t accrued = 0;
    std::string tradeDate;
    char status = 'M';
    char source = 'E';
    std::string disseminationTime;
    char dissemination = 'I';
};

struct Deal {
    int64_t number = 0;
    std::string time;
    char status = 'O';
    char side = 'B';
    std::string reference;
    std::string user, firm, counterUser, counterFirm, account;
    std::string securityKey;
    int64_t price = 0;
    int64_t quantity = 0;
    std::string settlementDate; // "00000000" = none
    int64_t confirmMinutes = 0;
    int64_t yield = kNoValue;
    std::string disseminationTime; // blank = none
    char dissemination = ' ';
    char source = 'N';
    int64_t reminderMinutes = 0;
    std::string flags = std::string(32, '0');
};

} // namespace exchange
