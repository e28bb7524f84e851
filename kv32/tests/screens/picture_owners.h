// Which list window or dialog template each committed picture in docs/ shows. A picture's
// stem is its file name without the "-en.png" / "-hu.png" ending.
#pragma once

#include <cstdint>
#include <span>

namespace screens {

enum class OwnerKind { Table, Dialog };

struct PictureOwner {
    const char* stem;
    OwnerKind kind;
    std::uint32_t id; // table id or dialog template id
};

// Pictures of neither a list window nor a dialog template (the framework layer's own
// windows, the main frame, the quote window); each names the source that takes it, so a
// picture whose maker is gone is found.
struct OtherPicture {
    const char* stem;
    const char* maker; // path from the source root
    const char* what;
};

std::span<const PictureOwner> PictureOwners();
std::span<const OtherPicture> OtherPictures();

} // namespace screens
