#include "fw/core/strings.h"

#include "fw/core/codepage.h"

namespace fw {
namespace {

Language gLanguage = Language::English;

} // namespace

StringTable::AddResult StringTable::add(std::span<const StringEntry> entries)
{
    AddResult result;
    for (const auto& e : entries) {
        Texts t;
        auto en = utf8ToCp1250(e.en ? e.en : "");
        result.unmappable += en.ok() ? 0 : 1;
        t.en = std::move(en.text);
        if (e.hu) {
            auto hu = utf8ToCp1250(e.hu);
            result.unmappable += hu.ok() ? 0 : 1;
            t.hu = std::move(hu.text);
            t.hasHu = true;
        }
        auto [it, inserted] = texts_.insert_or_assign(e.id, std::move(t));
        (void)it;
        if (!inserted)
            ++result.duplicates;
    }
    return result;
}

bool StringTable::lookup(std::uint32_t id, Language lang, std::string& out) const
{
    const auto it = texts_.find(id);
    if (it == texts_.end())
        return false;
    out = (lang == Language::Hungarian && it->second.hasHu) ? it->second.hu : it->second.en;
    return true;
}

std::string StringTable::get(std::uint32_t id, Language lang) const
{
    std::string out;
    lookup(id, lang, out);
    return out;
}

StringTable& strings()
{
    static StringTable table;
    return table;
}

Language language()
{
    return gLanguage;
}

void setLanguage(Language lang)
{
    gLanguage = lang;
}

std::string loadString(std::uint32_t id)
{
    return strings().get(id, gLanguage);
}

bool loadString(std::uint32_t id, std::string& out)
{
    return strings().lookup(id, gLanguage, out);
}

} // namespace fw
