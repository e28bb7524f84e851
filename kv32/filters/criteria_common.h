// What the filter criteria of the list windows share: the tests of a record
// against a board list, a security list, a text list, a number range and a
// time-of-day window; the archive forms of their members; and the pieces of
// a window title's description.
//
// Every criteria class keeps the same kinds of member: a no-filtering switch
// (nonzero: every record passes), an "all" switch per list (nonzero: the list
// is ignored), board and security lists of table rows, text lists of the very
// texts a dialog's list box shows, show switches per enumerated value (zero
// hides the records that carry it), unsigned number ranges (0: no bound on
// that side) and time-of-day windows (an invalid bound is no bound).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fw/core/archive.h"
#include "kv32/tables/order_common.h"
#include "kvcore/values/cdatetime.h"

namespace criteria {

// Rows of the board or security table.
using RowList = std::vector<int>;
// Texts as a list box shows them (Windows-1250).
using TextList = std::vector<std::string>;

// The 4-character board code inside a 17-character security key (kind
// letter, board code, instrument id), stripped of trailing blanks.
std::string_view BoardOfKey(const char* key);

// Some listed security has the key's instrument id (characters 5 to 16),
// compared byte by byte up to a NUL; rows the table does not hold never
// match. An empty list matches nothing.
bool SecurityListed(const RowList& securities, const char* key);
// The board code's row in the board table is listed; a code the table does
// not know never is.
bool BoardListed(const RowList& boards, std::string_view boardCode);
// Some listed text equals the text exactly, whole and case-sensitive.
bool TextListed(const TextList& texts, std::string_view text);
// Within [lowest, highest], a bound of 0 being open.
bool InNumberRange(uint32_t lowest, uint32_t highest, uint32_t number);
// The bound's time of day on the moment's own date.
CDateTime OnSameDay(const CDateTime& day, const CDateTime& timeOfDay);
// The moment lies within the window of times of day, both ends included and
// taken on the moment's own date; an invalid bound or moment passes.
bool InTimeOfDayWindow(const CDateTime& from, const CDateTime& to, const CDateTime& when);

// The side text against the buy and sell names ("B", "S" in the user's
// language): a side that is neither passes.
bool SideShown(std::string_view side, const CTextSet& names, int32_t showBuy, int32_t showSell);
// The status text against the names in order: the first equal name's switch
// decides; a status that equals none passes.
bool StatusShown(std::string_view status, const CTextSet& names, std::initializer_list<int32_t> shown);

// Show switches of order flags (32 characters '0' or '1'); a switch that a
// window does not offer stays 1.
struct OrderFlagSwitches {
    int32_t market = 1; // flag 0
    int32_t limit = 1; // flag 1
    int32_t stop = 1; // flag 12 set
    int32_t notStop = 1; // flag 12 clear
    int32_t allOrNone = 1; // flag 15 without 28
    int32_t fillOrKill = 1; // flags 28 and 15
    int32_t fillAndCancel = 1; // flags 28 and 17
    int32_t fillAny = 1; // flag 17
    int32_t flag13 = 1;
    int32_t marketMaker = 1; // flag 5
    int32_t session = 1; // flag 24
    int32_t day = 1; // flag 25
    int32_t goodTillCancelled = 1; // flag 27
    int32_t goodTillDate = 1; // flag 26
    int32_t goodTillTime = 1; // flag 23
};
// False when a flag (or combination) is set whose switch is 0.
bool FlagsShown(std::string_view flags, const OrderFlagSwitches& shown);

// Archive forms. A switch is a word: stored from its low 16 bits, loaded with
// the upper bits clear.
void SerializeWord(fw::Archive& ar, int32_t& value);
void SerializeDWord(fw::Archive& ar, uint32_t& value);
// The "all" word, and when it is 0 the list: a selection of securities (by
// code and row), of boards (by code), or texts (a count and the strings).
// Loading finds the rows again by code and drops what the tables no longer
// hold; a damaged selection throws fw::ArchiveError.
void SerializeSecurities(fw::Archive& ar, int32_t& all, RowList& securities);
void SerializeBoards(fw::Archive& ar, int32_t& all, RowList& boards);
void SerializeTexts(fw::Archive& ar, int32_t& all, TextList& texts);
void SerializeTextList(fw::Archive& ar, TextList& texts);
// A 32-bit status, then the day count as a 64-bit float.
void SerializeDateTime(fw::Archive& ar, CDateTime& value);
void SerializeString(fw::Archive& ar, std::string& text);
// Eight bytes, little-endian.
void SerializeInt64(fw::Archive& ar, int64_t& value);

// Loading replaces the criteria only when the whole record was read: a damaged
// archive throws and leaves them as they were.
// `Exchange` is the class's one walk over its archive form, storing or
// loading by the archive's mode.
template <class TCriteria> void SerializeCriteria(TCriteria& criteria, fw::Archive& ar)
{
    if (ar.isStoring()) {
        criteria.Exchange(ar);
        return;
    }
    TCriteria loaded; // reset
    loaded.Exchange(ar);
    criteria = std::move(loaded);
}

// Description pieces: the short name of a security row, the name of a board
// row (empty for a row the table does not hold), a bound's text ("%ld" in the
// string replaced by the value), and the ending every description shares:
// " " and the text, or " " and "filtered" when the text is empty.
std::string SecurityShortName(int row);
std::string BoardName(int row);
std::string BoundText(uint32_t stringId, std::string_view value);
void AppendDescription(std::string& title, const std::string& text);
// The security's short name when exactly one is listed and the list is in
// force, then "/" and the board's name likewise.
std::string SecurityAndBoard(
    int32_t allSecurities, const RowList& securities, int32_t allBoards, const RowList& boards);

} // namespace criteria
