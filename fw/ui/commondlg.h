#pragma once
// The common dialogs (file, colour, font) and the wait cursor. Each dialog can be answered by a
// hook instead, which is how tests drive them.
#include "fw/core/gridprops.h"
#include "fw/ui/fw_ui_api.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace fw {

struct PageSetup;
struct ResourceSet;

struct FW_UI_API FileDialogRequest {
    bool open = true;
    std::string defaultName; // Windows-1250
    std::string title;
    // "Text (*.txt)|*.txt|All files (*.*)|*.*||": pairs of a description and patterns.
    std::string filter;
    std::string defaultExt; // without the dot; added when the chosen name has no extension
};

// The chosen path, or nothing when the user cancelled.
FW_UI_API std::optional<std::string> getFileName(const FileDialogRequest& request, QWidget* parent = nullptr);
using FileDialogHook = std::function<std::optional<std::string>(const FileDialogRequest&)>;
FW_UI_API void setFileDialogHook(FileDialogHook hook);
// The Qt filter string of a filter in the "description|patterns|" form.
FW_UI_API std::string qtFilterOf(const std::string& filter);

// Colours are 0x00BBGGRR.
FW_UI_API std::optional<uint32_t> chooseColor(uint32_t initial, QWidget* parent = nullptr);
// The same with the dialog's 16 custom colours, which the user may change there (kept also when
// the dialog is cancelled, as the user mixed them).
using CustomColors = std::array<uint32_t, 16>;
FW_UI_API std::optional<uint32_t> chooseColor(uint32_t initial, CustomColors& custom, QWidget* parent = nullptr);
using ColorDialogHook = std::function<std::optional<uint32_t>(uint32_t initial)>;
FW_UI_API void setColorDialogHook(ColorDialogHook hook);

struct FW_UI_API FontChoice {
    std::string face;
    int pointSize = 9;
    bool bold = false;
    bool italic = false;
    bool operator==(const FontChoice&) const = default;
};
// Screen fonts without effects (no colour, underline or strike-out), kMinFontPoints to
// kMaxFontPoints (fw/core/gridprops.h) in size; a size outside is refused with a message and the
// dialog stays open.
FW_UI_API std::optional<FontChoice> chooseFont(const FontChoice& initial, QWidget* parent = nullptr);
using FontDialogHook = std::function<std::optional<FontChoice>(const FontChoice& initial)>;
FW_UI_API void setFontDialogHook(FontDialogHook hook);

// The page setup of printed grids: margins, orientation, header and footer. False when cancelled
// (setup is then unchanged).
FW_UI_API bool pageSetupDialog(PageSetup& setup, QWidget* parent = nullptr);

// The templates of the font and page setup dialogs (for the resource check and the gallery).
FW_UI_API const ResourceSet& commonDialogResources();
inline constexpr uint32_t kFontDialogId = 0xFE01;
inline constexpr uint32_t kPageSetupDialogId = 0xFE02;

// Shows the wait cursor for its lifetime (nested ones stack).
class FW_UI_API WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    static int depth();
};

} // namespace fw
