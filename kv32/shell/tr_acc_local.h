// The user's own list of trading accounts, kept on the workstation in
// "<user>.tra" in the settings folder, so that the order and deal forms can
// offer them and the default-selection page can name a default.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace fw {
class Archive;
}

struct CTrAccLocal {
    std::string account; // the forms send it in a 12-character field
    std::string text; // the account's comment (48 characters in the editing dialog)
    bool operator==(const CTrAccLocal&) const = default;
};

class CTrAccLocalArray {
public:
    static constexpr int kAccountWidth = 12;
    static constexpr int kTextWidth = 48;

    // The file's form: a count, then per entry the account and the text as
    // archive strings. Loading replaces the list entry by entry: a damaged
    // file throws fw::ArchiveError and leaves the entries read before the
    // damage. Strings are kept whole; a form refuses an over-long account
    // when it builds its request.
    void Serialize(fw::Archive& ar);

    // Reads the file; a missing file is an empty list, a damaged one keeps
    // what was read before the damage and is reported on the trace. True
    // when the whole file was read.
    bool LoadFile(const std::filesystem::path& path);
    // Writes the file through a temporary file and a rename; false when it
    // cannot be written (the old file then stays as it was).
    bool SaveFile(const std::filesystem::path& path) const;

    // The text of the account (exact comparison); with duplicates the last one's.
    bool FindName(std::string_view account, std::string& text) const;

    // What a combo or list box shows: every account in order; a preset
    // account missing from the list is added at the end. `selected` is the
    // preset's position, -1 without a preset. Returns false, with nothing
    // filled, when the list is empty; a form that warns then shows
    // IDS_NO_TRADING_ACCOUNT_DEFINED (res/shell_strings.h).
    bool FillList(std::vector<std::string>& items, int& selected, std::string_view preset) const;

    int GetSize() const { return static_cast<int>(m_entries.size()); }
    std::vector<CTrAccLocal> m_entries;
};
