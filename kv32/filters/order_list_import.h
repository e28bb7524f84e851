// Reading order list files back into private orders: the tokenizer of a
// tagged line, the element names of the user's language, the parser of one
// field, and the import of a whole file in either form, which reports every
// fault of the file with its line number.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "kv32/filters/order_list.h"
#include "kv32/tables/local_order_record.h"

// Where the tokenizer stands in the line it reads. Unset, the next call
// starts at the beginning of the line it is given.
class CImportCursor {
public:
    bool IsSet() const { return m_bSet; }
    void Reset() { m_bSet = false; }

private:
    friend int NextImportToken(CImportCursor& cursor, std::string_view line, std::string& token);
    size_t m_nPos = 0;
    bool m_bSet = false;
};

// The next token of the line: an element from "<" to ">", or the text up to
// the next "<" or to the end of the line; blanks and tabs before a token are
// skipped. 1 with a token, 1 with an empty token at the end of the line
// (the cursor is unset), 0 with the text that ends the line, and 0 with an
// empty token for a "<" that no ">" follows (the line cannot be read). After
// a 0 the cursor is unset.
int NextImportToken(CImportCursor& cursor, std::string_view line, std::string& token);

// The element names of the user's language, as the import compares them.
class COrderListTags {
public:
    // Takes the names of string ids 1024 to 1059 in the current language.
    void LoadTagNames();
    // The index of the name; -1 when absent (an empty name is never found).
    int FindTagName(std::string_view name) const;
    // For "<name>" or "</name>", the index of the name; else -1.
    int ImportTagIndex(std::string_view token) const;
    const std::string& Name(int index) const { return m_names[static_cast<size_t>(index)]; }

private:
    std::array<std::string, kOrderListNameCount> m_names;
};

bool IsClosingTag(std::string_view token);
std::string MakeOpenTag(std::string_view name);
std::string MakeCloseTag(std::string_view name);

// Stores one field of a private order by its name index; names without a
// field of their own are passed over (1). 0, with the order unchanged, for a
// value of the wrong form: a number longer than its field (9 characters for
// prices and yields, 16 for quantities) or not a number, a text longer than
// its field, a date or time that is not one, flags other than '0' and '1'.
// Values are the file's text with the entities read back.
int ParseOrderField(CLocalOrderRec& rec, int nameIndex, std::string_view value);

// One fault of the file: the message id and the line it names. A question
// asks whether to go on, and carries the answer given.
struct COrderListDiagnostic {
    uint32_t id = 0;
    int line = 0;
    bool question = false;
    bool answer = false;
    // The message in the current language, the line number in place.
    std::string Text() const;
};

// Shown as it arises; for a question the answer (true: go on). An empty
// function answers every question with yes.
using COrderListReport = std::function<bool(const COrderListDiagnostic&)>;

struct COrderListImport {
    // The orders read whole, in file order, each in the local state "New".
    std::vector<CLocalOrderRec> orders;
    std::vector<COrderListDiagnostic> diagnostics;
    // IDS_ODL_OPEN_FILE_ERROR or IDS_ODL_READ_ERROR when the file itself
    // could not be read; 0 otherwise.
    uint32_t fileError = 0;
    // The rest of the file was not read: a question was answered no, or the
    // header of the text form does not name its columns.
    bool stopped = false;
};

// The file's text in the given form (lines end in CRLF or LF).
COrderListImport ImportPrivateOrders(
    std::string_view text, OrderListForm form, const COrderListReport& report = {});
// The file, in the form of its name; faults shown as message boxes unless a
// report is given.
COrderListImport ImportPrivateOrdersFile(const std::filesystem::path& path);
COrderListImport ImportPrivateOrdersFile(const std::filesystem::path& path, const COrderListReport& report);

// The message boxes of the import: the message with the line number, as a
// warning, or as a question whose yes gives true.
void ImportWarning(uint32_t id, int line);
bool ImportQuestion(uint32_t id, int line);
// Shows a diagnostic with the box of its kind; the answer of a question.
bool ShowImportDiagnostic(const COrderListDiagnostic& diagnostic);
