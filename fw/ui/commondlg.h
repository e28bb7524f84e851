#pragma once
// The common dialogs (file, colour, font) and the wait cursor. Each dialog can be answered by a
// hook instead, which is how tests drive them.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class QWidget;

namespace fw {

struct FileDialogRequest {
    bool open = true;
    std::string defaultName; // Windows-1250
    std::string title;
    // "Text (*.txt)|*.txt|All files (*.*)|*.*||": pairs of a description and patterns.
    std::string filter;
    std::string defaultExt; // without the dot; added when the chosen name has no extension
};

// The chosen path, or nothing when the user cancelled.
std::optional<std::string> getFileName(const FileDialogRequest& request, QWidget* parent = nullptr);
using FileDialogHook = std::function<std::optional<std::string>(const FileDialogRequest&)>;
void setFileDialogHook(FileDialogHook hook);
// The Qt filter string of a filter in the "description|patterns|" form.
std::string qtFilterOf(const std::string& filter);

// Colours are 0x00BBGGRR.
std::optional<uint32_t> chooseColor(uint32_t initial, QWidget* parent = nullptr);
using ColorDialogHook = std::function<std::optional<uint32_t>(uint32_t initial)>;
void setColorDialogHook(ColorDialogHook hook);

struct FontChoice {
    std::string face;
    int pointSize = 9;
    bool bold = false;
    bool italic = false;
    bool operator==(const FontChoice&) const = default;
};
std::optional<FontChoice> chooseFont(const FontChoice& initial, QWidget* parent = nullptr);
using FontDialogHook = std::function<std::optional<FontChoice>(const FontChoice& initial)>;
void setFontDialogHook(FontDialogHook hook);

// Shows the wait cursor for its lifetime (nested ones stack).
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    static int depth();
};

} // namespace fw
