// The user's default selections: three remembered dialog choices, a
// 12-character text of the first, the name of the current selection and a
// list of named selections, kept in "<user>.kvd" in the settings folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fw/core/archive.h"
#include "kvcore/router/vorl_target.h"

struct CDefSelEntry {
    static constexpr size_t kNameChars = 40;
    std::string name;
    int bDeleted = 0;
    int bWork = 0; // used while the entries are made equal to a list box
};

class CDefSelTable : public CVorlPermTarget {
public:
    static constexpr uint16_t kMagic = 0xAAAA;
    static constexpr size_t kTextChars = 12;

    // Session start: the default file, the changed flag cleared first; 1 also
    // when the file was damaged (its message shown).
    int Load() override;
    // A null or empty path is the default file; a missing file changes nothing (1).
    int Load(const char* path);
    int Save() override { return 1; }
    // Writes only when something changed or a path is given; 0 when the file cannot be written.
    int Save(const char* path);
    // Loading replaces the selections only when the whole file was read.
    int Serialize(fw::Archive& ar);
    // Saves, then empties the table.
    void Free() override;
    int Decode(CRecordReader&) override { return 0; }

    // Revives a deleted entry of that name, else appends one.
    void AddSelection(std::string_view name);
    // The names of the live entries; `selected` is the current selection's
    // position while the second choice is set, else -1.
    void FillList(std::vector<std::string>& items, int& selected) const;
    // Takes the dialog's state: the three choices, the first choice's text,
    // the selected item as the current selection, and the list box's items
    // as the entries (items that are gone are marked deleted).
    void UpdateFromDialog(bool first, std::string_view text, bool second, const std::vector<std::string>& items,
        int selectedItem, bool third);

    // "<user>.kvd" in the settings folder; empty without a logged-on user.
    static std::string DefaultPath();

    std::string m_sFileName;
    int m_bChanged = 0;
    uint16_t m_anChoice[3] = { 0, 0, 0 };
    std::string m_sText; // at most 12 characters
    std::string m_sCurrent; // at most 40 characters
    std::vector<CDefSelEntry> m_entries;
};
