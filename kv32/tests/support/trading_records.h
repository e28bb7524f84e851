// Wire records of the order (50), trade (54) and negotiated-deal (52) streams,
// laid out field by field at the host's byte offsets, for the tests, the fuzz
// seeds and the table benchmark. Numbers are given as the host writes them:
// integers in units of the field's decimals.
#pragma once

#include <cstdint>
#include <string>

namespace kv32test {

struct OrderSpec {
    long long seq = 1;
    char carries = 'Y';
    long long number = 1;
    char print = 'N';
    std::string date = "20261210";
    std::string time = "093000";
    char status = 'O';
    char side = 'B';
    std::string flags = std::string(32, '0');
    std::string reference = "REF1";
    std::string user = "TRADER01";
    std::string firm = "FIRM1";
    std::string account = "ACC1";
    std::string accountName = "Account One";
    std::string code = "0BRD1INSTR0000001";
    long long price = 12345;
    long long yield = 0;
    long long quantity = 100;
    long long hidden = 0;
    long long balance = 100;
    long long value = 1234500;
    std::string settleDate = "20261214";
    long long previous = 0;
    long long accrued = 0;
    std::string expiryDate = "20261231";
    std::string expiryTime = "000000";
    long long trigger = 0;
    long long next = 0;
    long long average = 0;
    long long minimumFill = 0;
};
// The 375-character record.
std::string OrderRecord(const OrderSpec& spec);

struct TradeSpec {
    long long seq = 1;
    char carries = 'Y';
    long long number = 1;
    char print = 'N';
    long long buyOrder = 1;
    long long sellOrder = 2;
    std::string time = "101500";
    std::string amendTime = "      ";
    std::string buyReference = "BREF";
    std::string sellReference = "SREF";
    std::string buyUser = "TRADER01";
    std::string sellUser = "TRADER02";
    std::string buyFirm = "FIRM1";
    std::string sellFirm = "FIRM2";
    std::string buyAccount = "BACC";
    std::string sellAccount = "SACC";
    std::string code = "0BRD1INSTR0000001";
    long long price = 12345;
    long long yield = 0;
    long long quantity = 100;
    long long value = 1234500;
    std::string settleDate = "20261214";
    long long accrued = 0;
    std::string date = "20261210";
    char status = 'M';
    char source = 'E';
    std::string dissTime = "101501";
    char dissStatus = 'I';
};
// The 320-character record.
std::string TradeRecord(const TradeSpec& spec);

struct DealSpec {
    long long seq = 1;
    char carries = 'Y';
    long long number = 1;
    char print = 'N';
    std::string time = "110000";
    char status = 'O';
    char side = 'B';
    std::string reference = "DREF";
    std::string user = "TRADER01";
    std::string firm = "FIRM1";
    std::string counterUser = "TRADER02";
    std::string counterFirm = "FIRM2";
    std::string account = "ACC1";
    std::string code = "0BRD1INSTR0000001";
    long long price = 12345;
    long long quantity = 100;
    std::string settleDate = "20261214";
    int timeout = 30;
    long long yield = 0;
    std::string dissTime = "      ";
    char dissStatus = 'N';
    char source = 'N';
    int warning = 5;
    std::string text = std::string(32, '0');
};
// The 251-character record.
std::string DealRecord(const DealSpec& spec);

} // namespace kv32test
