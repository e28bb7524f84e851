#include "kvcore/dialogs/color_select.h"

#include "fw/core/strings.h"

using kvcore::COLORREF;

std::vector<KvColorRow> KvColorRows(kvcore::CTGXDoc& doc)
{
    std::vector<KvColorRow> rows;
    rows.push_back({ fw::loadString(IDS_COLOR_BACKGROUND), doc.m_defaultBack });
    rows.push_back({ fw::loadString(IDS_COLOR_TEXT), doc.m_defaultText });
    const std::vector<std::uint16_t>& elements = doc.GetColorElemArray();
    const std::vector<std::uint32_t>& colors = doc.GetColorRefArray();
    for (std::size_t k = 0; k < elements.size(); ++k)
        rows.push_back({ fw::loadString(elements[k]), k < colors.size() ? colors[k] : doc.m_defaultBack });
    return rows;
}

void KvApplyColorRows(kvcore::CTGXDoc& doc, const std::vector<COLORREF>& colors)
{
    if (colors.size() > 0)
        doc.m_defaultBack = colors[0];
    if (colors.size() > 1)
        doc.m_defaultText = colors[1];
    const std::size_t elements = doc.GetColorElemArray().size();
    std::vector<std::uint32_t>& table = doc.GetColorRefArray();
    for (std::size_t k = 2; k < colors.size() && k - 2 < elements; ++k) {
        if (table.size() <= k - 2)
            table.resize(k - 1, doc.m_defaultBack);
        table[k - 2] = colors[k];
    }
}
