// Wire records of the reference and security tables, laid out field by field
// at the byte offsets the host uses, for the tests, the fuzz seeds and the
// table benchmark.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kv32test {

// Writes text into record at offset (the record grows with blanks as needed).
void Place(std::string& record, size_t offset, std::string_view text);

struct SecuritySpec {
    int key = 1;
    char kind = '0';
    std::string board = "BRD1";
    std::string instrument = "INSTR0000001"; // 12
    std::string shortName = "SEC1";
    std::string name = "Security One";
    char status = 'A';
    std::string market = "MKT1";
    std::string sector = "SEC1";
    int priceDec = 2;
    int yieldDec = 3;
    int valueDec = 2;
    char distribution = ' ';
    std::string lot = "0000000000000100"; // 16 at 351
    bool last = false;
};

// The 17-character code: kind, board 4, instrument 12.
std::string SecurityCode(const SecuritySpec& spec);
// A 1102-character snapshot record (reply 17).
std::string SecuritySnapshot(const SecuritySpec& spec);
// A change report (reply 33): sequence 10, row 6, code 17, count 2, then each
// item as tag, value and '#'.
std::string SecurityChange(long long seq, int row, std::string_view code,
    const std::vector<std::pair<char, std::string>>& items);

// The small reference records (offsets as the host lays them out).
std::string StatusRecord(int key, std::string_view code, char kind, std::string_view name, std::string_view text,
    bool last = false);
std::string SectorRecord(int key, std::string_view code, std::string_view name, bool last = false);
std::string BoardRecord(int key, std::string_view code, std::string_view name, char status, bool last = false);
std::string BoardChange(long long seq, std::string_view code, char status, std::string_view text);
std::string MarketRecord(int key, std::string_view code, std::string_view name, char state, bool last = false);
std::string MarketChange(long long seq, std::string_view code, char state);

} // namespace kv32test
