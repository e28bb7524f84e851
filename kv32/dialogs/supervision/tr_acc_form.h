// The rules of the trading account dialogs without their windows: the user's
// own list as the "Trading Accounts" dialog edits it (kept in byte order of
// the code, at most 1000 entries, saved on OK and restored on Cancel), and the
// firm's accounts that the host lists page by page with their status, which
// the status dialog and the groups dialog show.
#pragma once

#include <filesystem>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "kv32/shell/tr_acc_local.h"
#include "kvcore/router/vorl_target.h"

inline constexpr int kTrAccLimit = 1000;

enum class KvTrAccEdit {
    Done,
    ListFull, // 1000 entries already
    TooLong, // a code over 12 or a comment over 48 bytes
    Empty, // a code or a comment missing
    NoEntry, // no entry at that position
};

// One editing session of the user's list: the list as it was at opening is
// kept, so that Cancel gives it back whether or not a file exists.
class CTrAccEditForm {
public:
    explicit CTrAccEditForm(CTrAccLocalArray& list);

    const std::vector<CTrAccLocal>& Entries() const { return m_list.m_entries; }
    // The add and change dialog's OK: both texts given.
    static bool EntryOkEnabled(std::string_view account, std::string_view comment);

    // Inserts before the first entry whose code compares greater byte by byte;
    // `position` is where it went.
    KvTrAccEdit Add(std::string_view account, std::string_view comment, int& position);
    // Replaces the entry; a changed code moves it to its place in byte order.
    KvTrAccEdit Change(int index, std::string_view account, std::string_view comment, int& position);
    // Removes the entry; `selection` is the line to select afterwards (the
    // previous one, else the first; -1 when the list is empty).
    KvTrAccEdit Delete(int index, int& selection);

    // Writes the list to its file (a temporary file renamed over it); false
    // when it could not be written, the old file then stays as it was.
    bool Save(const std::filesystem::path& path) const;
    // Gives the list back as it was when the form was made.
    void Restore();

private:
    int Insert(CTrAccLocal entry);
    CTrAccLocalArray& m_list;
    std::vector<CTrAccLocal> m_opened;
};

// One of the firm's trading accounts as the host lists it.
struct KvHostAccount {
    std::string code;
    char status = ' '; // 'A' active
    bool operator==(const KvHostAccount&) const = default;
};

// The rows of a reply: `count` rows of 13 bytes (code 12, status letter),
// held to what the message carries, appended to `rows`.
void ReadHostAccounts(CRecordReader& reader, int32_t count, std::vector<KvHostAccount>& rows);
// The row of the code, -1 when none.
int FindHostAccount(const std::vector<KvHostAccount>& rows, std::string_view code);

inline constexpr int kTrAccListRequest = 88;

// The host's trading accounts of one firm (request 88, page by page).
class CTrAccHostList : public CVorlTarget {
public:
    // Requests every page for the firm: the rows are emptied once, then each
    // reply's rows are appended. The loop ends on the last-record mark, a
    // failed request, a reply without rows or a continuation key that does
    // not move. 1 when it ended without a failure.
    int Request(std::string_view firmCode);
    const std::vector<KvHostAccount>& Rows() const { return m_rows; }
    void Clear() { m_rows.clear(); }

    int Decode(CRecordReader& reader) override;

private:
    std::vector<KvHostAccount> m_rows;
    std::string m_next;
};

// The key of request 88: user 12, continuation 8, firm 12 (32 bytes); empty
// when a field does not fit.
std::string TrAccListKey(std::string_view user, std::string_view next, std::string_view firm);

// The session's operation flag and the default display type, as the status
// records carry them.
char KvSessionFlagLetter();
char KvDisplayLetter();

// Transaction 142 of the status dialog (39 bytes): user 12, operator 38
// (suspend) or 39 (unsuspend), firm 12, account 12, session flag, display
// letter; empty when a field does not fit.
std::string BuildTrAccStatusRecord(std::string_view user, bool suspend, std::string_view firm,
    std::string_view account, char sessionFlag, char display);
