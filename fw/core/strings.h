#pragma once
// String tables by numeric id, English and Hungarian side by side. Modules write their
// tables as C++ data in UTF-8; adding a table converts every text to Windows-1250 once,
// so loadString hands out program text ready for the 8-bit world of the workstation.
#include "fw/core/fw_core_api.h"
#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

namespace fw {

enum class Language { English, Hungarian };

// One entry of a module's table. `hu` null means "not translated": the English text is
// used instead. An empty text is a text (some strings are deliberately empty).
struct FW_CORE_API StringEntry {
    std::uint32_t id;
    const char* en;
    const char* hu;
};

class FW_CORE_API StringTable {
public:
    // Adds a table; an id that is already present is replaced (and counted in the result,
    // so that a resource test can report it). Texts are copied.
    // Returns the number of texts that held characters without a Windows-1250 byte.
    struct AddResult {
        std::size_t duplicates = 0;
        std::size_t unmappable = 0;
    };
    AddResult add(std::span<const StringEntry> entries);

    bool contains(std::uint32_t id) const { return texts_.count(id) != 0; }
    // The text of `id` in `lang` (English when the Hungarian is missing); false when the id is unknown.
    bool lookup(std::uint32_t id, Language lang, std::string& out) const;
    // As lookup; an unknown id gives an empty text.
    std::string get(std::uint32_t id, Language lang) const;
    void clear() { texts_.clear(); }

private:
    struct Texts {
        std::string en;
        std::string hu;
        bool hasHu = false;
    };
    std::unordered_map<std::uint32_t, Texts> texts_;
};

// The process-wide table that loadString reads, and the language of the user interface.
FW_CORE_API StringTable& strings();
FW_CORE_API Language language();
FW_CORE_API void setLanguage(Language lang);

// Text of `id` in the current language (Windows-1250); empty when the id is unknown.
FW_CORE_API std::string loadString(std::uint32_t id);
FW_CORE_API bool loadString(std::uint32_t id, std::string& out);

} // namespace fw
