#include "fw/core/gridprops.h"

#include "fw/core/archive.h"

namespace fw {

namespace {
enum : std::uint16_t {
    kHorizontal = 1u << 0,
    kVertical = 1u << 1,
    kThreeD = 1u << 2,
    kMarkRow = 1u << 3,
    kMarkColumn = 1u << 4,
    kLandscape = 1u << 5,
    kKnownFlags = (1u << 6) - 1,
};
enum : std::uint8_t { kFontBold = 1u << 0, kFontItalic = 1u << 1 };
} // namespace

void storeGridProperties(Archive& ar, const GridProperties& p)
{
    ar.writeWord(kGridPropertiesVersion);
    std::uint16_t flags = (p.horizontalLines ? kHorizontal : 0) | (p.verticalLines ? kVertical : 0)
                          | (p.threeD ? kThreeD : 0) | (p.markCurrentRow ? kMarkRow : 0)
                          | (p.markCurrentColumn ? kMarkColumn : 0) | (p.page.landscape ? kLandscape : 0);
    ar.writeWord(flags);
    for (int m : { p.page.marginLeft, p.page.marginTop, p.page.marginRight, p.page.marginBottom })
        ar.writeWord(static_cast<std::uint16_t>(m));
    ar.writeString(p.page.header);
    ar.writeString(p.page.footer);
    ar.writeWord(kGridColorCount);
    for (std::uint32_t color : p.colors)
        ar.writeDWord(color);
    ar.writeString(p.font.face);
    ar.writeWord(static_cast<std::uint16_t>(p.font.points));
    ar.writeByte(static_cast<std::uint8_t>((p.font.bold ? kFontBold : 0) | (p.font.italic ? kFontItalic : 0)));
}

void loadGridProperties(Archive& ar, GridProperties& out)
{
    std::uint16_t version = ar.readWord();
    if (version != 1 && version != kGridPropertiesVersion)
        throw ArchiveError(ArchiveError::Cause::BadSchema,
                           "grid properties: version " + std::to_string(version) + " is not known");
    std::uint16_t flags = ar.readWord();
    if (flags & ~kKnownFlags)
        throw ArchiveError(ArchiveError::Cause::Generic, "grid properties: unknown flags");
    GridProperties p;
    p.horizontalLines = flags & kHorizontal;
    p.verticalLines = flags & kVertical;
    p.threeD = flags & kThreeD;
    p.markCurrentRow = flags & kMarkRow;
    p.markCurrentColumn = flags & kMarkColumn;
    p.page.landscape = flags & kLandscape;
    for (int* m : { &p.page.marginLeft, &p.page.marginTop, &p.page.marginRight, &p.page.marginBottom }) {
        *m = ar.readWord();
        if (*m > kMaxMargin)
            throw ArchiveError(ArchiveError::Cause::Generic, "grid properties: margin out of range");
    }
    p.page.header = ar.readString();
    p.page.footer = ar.readString();
    if (version >= 2) {
        if (ar.readWord() != kGridColorCount)
            throw ArchiveError(ArchiveError::Cause::Generic, "grid properties: colour count is not known");
        for (std::uint32_t& color : p.colors)
            color = ar.readDWord();
        p.font.face = ar.readString();
        p.font.points = ar.readWord();
        if (p.font.points < kMinFontPoints || p.font.points > kMaxFontPoints)
            throw ArchiveError(ArchiveError::Cause::Generic, "grid properties: font size out of range");
        const std::uint8_t fontFlags = ar.readByte();
        if (fontFlags & ~(kFontBold | kFontItalic))
            throw ArchiveError(ArchiveError::Cause::Generic, "grid properties: unknown font flags");
        p.font.bold = fontFlags & kFontBold;
        p.font.italic = fontFlags & kFontItalic;
    }
    out = std::move(p);
}

std::string pageText(const std::string& pattern, int page)
{
    std::string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '&' && i + 1 < pattern.size()) {
            if (pattern[i + 1] == 'p') {
                out += std::to_string(page);
                ++i;
                continue;
            }
            if (pattern[i + 1] == '&') {
                out += '&';
                ++i;
                continue;
            }
        }
        out += pattern[i];
    }
    return out;
}

} // namespace fw
