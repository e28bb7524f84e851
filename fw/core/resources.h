#pragma once
// Resource tables as plain C++ data. Each module describes its dialogs, menus, accelerator
// tables and strings in its res/ files with English and Hungarian texts side by side (UTF-8
// in the source), and registers them once at start-up; windows find them by numeric id.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "fw/core/fw_core_api.h"
#include "fw/core/records.h"
#include "fw/core/strings.h"

namespace fw {

class Menu;

// Id of controls that code never addresses (labels, frames); it may repeat in a dialog.
inline constexpr std::uint32_t kStaticId = 0xFFFF;

// Standard button ids that dialogs close with.
inline constexpr std::uint32_t kIdOk = 1;
inline constexpr std::uint32_t kIdCancel = 2;

enum class ControlKind : std::uint8_t {
    Label, // static text
    Edit,
    Button,
    DefaultButton,
    CheckBox,
    RadioButton, // starts a new group when the style has Group
    GroupBox,
    ComboList, // drop-down list, no typing
    ComboEdit, // drop-down with an edit field
    ListBox,
    Grid, // an embedded grid
    DateTime,
    Picture, // icon or image
    Custom, // a control that the dialog's code creates in this cell
};

// Style bits of a control; what does not apply to a kind is ignored.
enum ControlStyle : std::uint32_t {
    StyleNone = 0,
    StyleDisabled = 1u << 0,
    StyleHidden = 1u << 1,
    StyleReadOnly = 1u << 2,
    StylePassword = 1u << 3,
    StyleMultiline = 1u << 4,
    StyleNumber = 1u << 5, // edit takes digits only
    StyleGroup = 1u << 6, // first of a radio group
    StyleRight = 1u << 7, // right-aligned text
    StyleNoTab = 1u << 8, // not a tab stop
    StyleSorted = 1u << 9, // list and combo boxes keep their items sorted
    StyleMultiSelect = 1u << 10, // list boxes
    StyleTime = 1u << 11, // a DateTime control that picks a time of day instead of a date
    StyleAllowBlank = 1u << 12, // a DateTime control that may hold no value
};

// One control. Captions may both be null (edits, lists); otherwise both languages are expected.
// The layout is a grid of cells: row and column count from 0, spans are at least 1.
struct FW_CORE_API ControlDef {
    std::uint32_t id;
    ControlKind kind;
    int row;
    int col;
    const char* en = nullptr;
    const char* hu = nullptr;
    int rowSpan = 1;
    int colSpan = 1;
    std::uint32_t style = StyleNone;
    int width = 0; // preferred width in average characters, 0 for the layout's choice
    int limit = 0; // edits and editable combos: most characters the user can type, 0 for no limit
};

struct FW_CORE_API DialogTemplate {
    std::uint32_t id;
    const char* titleEn;
    const char* titleHu;
    std::span<const ControlDef> controls;
};

// A menu as a flat list: an entry of depth d+1 right after a Popup of depth d (or after
// other entries of depth d+1) belongs to that popup. Top-level entries have depth 0.
enum class MenuEntryKind : std::uint8_t { Command, Separator, Popup };
struct FW_CORE_API MenuEntry {
    std::uint8_t depth;
    MenuEntryKind kind;
    std::uint32_t id = 0; // command id; 0 for separators and popups
    const char* en = nullptr; // '&' marks the mnemonic, "\t" precedes the shortcut text
    const char* hu = nullptr;
};

struct FW_CORE_API MenuTemplate {
    std::uint32_t id;
    std::span<const MenuEntry> entries;
};

struct FW_CORE_API AccelTable {
    std::uint32_t id;
    std::span<const AccelRecord> entries;
};

// An icon as the lines of an XPM image (header, colours, then the pixel rows), so that the
// pictures stay readable text in the source.
struct FW_CORE_API IconResource {
    std::uint32_t id;
    std::span<const char* const> xpm;
};

// Everything one module contributes.
struct FW_CORE_API ResourceSet {
    const char* module;
    std::span<const StringEntry> strings = {};
    std::span<const DialogTemplate> dialogs = {};
    std::span<const MenuTemplate> menus = {};
    std::span<const AccelTable> accels = {};
    std::span<const IconResource> icons = {};
};

// The process-wide resources. The tables must be static data (they are kept by reference);
// strings are copied into fw::strings(). A later set overrides an id of an earlier one.
FW_CORE_API void addResources(const ResourceSet& set);
// Every set added so far, in order (the gallery and resource tests walk them).
FW_CORE_API std::span<const ResourceSet> resourceSets();
FW_CORE_API const DialogTemplate* findDialog(std::uint32_t id);
FW_CORE_API const MenuTemplate* findMenu(std::uint32_t id);
FW_CORE_API const AccelTable* findAccel(std::uint32_t id);
FW_CORE_API const IconResource* findIcon(std::uint32_t id);

// Texts of one language converted to Windows-1250 (English when the Hungarian is null).
FW_CORE_API std::string resourceText(const char* en, const char* hu, Language lang);
inline std::string resourceText(const char* en, const char* hu)
{
    return resourceText(en, hu, language());
}

// The menu model of a template in a language (the popup that holds the top-level entries).
FW_CORE_API Menu buildMenu(const MenuTemplate& menu, Language lang);

} // namespace fw
