#pragma once
// How every table grid looks and prints: grid lines, the 3D look of its headers, the marking
// of the current row and column, and the printed page (margins, orientation, header and footer
// texts). The settings file keeps it in its own versioned record.
#include "fw/core/fw_core_api.h"

#include <array>
#include <cstdint>
#include <string>

namespace fw {

class Archive;

struct PageSetup {
    // Millimetres from the paper's edges.
    int marginLeft = 15;
    int marginTop = 15;
    int marginRight = 15;
    int marginBottom = 15;
    bool landscape = false;
    // Printed at the top and the bottom of every page; "&p" stands for the page number and
    // "&&" for one '&'. Windows-1250.
    std::string header;
    std::string footer = "- &p -";
    bool operator==(const PageSetup&) const = default;
};

inline constexpr int kMaxMargin = 100; // millimetres; more leaves no room for a row on A4

// Colours of the grid's own elements, 0x00BBGGRR; kGridStyleColor leaves an element in the
// colour the desktop's style gives it.
enum GridColorEntry : int { kGridLineColor, kGridMarkColor, kGridColorCount };
inline constexpr std::uint32_t kGridStyleColor = 0xFFFFFFFFu;

// The font of every cell at zoom 100; no face keeps the application's font.
struct GridFont {
    std::string face; // Windows-1250
    int points = 9;
    bool bold = false;
    bool italic = false;
    bool operator==(const GridFont&) const = default;
};

struct GridProperties {
    bool horizontalLines = true;
    bool verticalLines = true;
    bool threeD = true; // raised title row and row header
    bool markCurrentRow = false;
    bool markCurrentColumn = false;
    PageSetup page;
    std::array<std::uint32_t, kGridColorCount> colors { kGridStyleColor, kGridStyleColor };
    GridFont font;
    bool operator==(const GridProperties&) const = default;
};

// The record: a word version (2), a word of flags (bit 0 horizontal lines, 1 vertical lines,
// 2 3D, 3 mark row, 4 mark column, 5 landscape), four words of margins (left, top, right,
// bottom), the header and footer strings; since version 2 a word count of colours and the
// colours as double words, the font's face string, its size in points (word, kMinFontPoints to
// kMaxFontPoints) and a byte of font flags (bit 0 bold, 1 italic). Version 1 records load with
// the style's colours and font. Loading refuses another version (BadSchema), unknown flag bits,
// margins over kMaxMargin, another colour count and a size outside the limits (Generic),
// leaving `props` unchanged.
inline constexpr std::uint16_t kGridPropertiesVersion = 2;
inline constexpr int kMinFontPoints = 4;
inline constexpr int kMaxFontPoints = 24;
FW_CORE_API void storeGridProperties(Archive& ar, const GridProperties& props);
FW_CORE_API void loadGridProperties(Archive& ar, GridProperties& props);

// The page text of a header or footer pattern for one page.
FW_CORE_API std::string pageText(const std::string& pattern, int page);

} // namespace fw
