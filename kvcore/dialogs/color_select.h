// What the colour selection dialog of a list window edits, without the window: one row per
// colour of the document (its default background, its default text, then each named colour
// element), and writing the edited colours back.
#pragma once

#include "kvcore/grid/gx_doc.h"
#include "kvcore/kvcore_api.h"

#include <string>
#include <vector>

enum KvColorSelectId : unsigned {
    IDS_COLOR_BACKGROUND = 30017,
    IDS_COLOR_TEXT = 30018,
};

struct KVCORE_API KvColorRow {
    std::string name;
    kvcore::COLORREF color = 0;
};

// Background, text, then the colour elements in order. An element the colour table has no
// value for shows the default background, the colour its rows are painted with.
KVCORE_API std::vector<KvColorRow> KvColorRows(kvcore::CTGXDoc& doc);
// Row 0 becomes the default background, row 1 the default text colour, row k the colour
// table's entry k - 2 (the table grows to hold every element). Extra colours are ignored.
KVCORE_API void KvApplyColorRows(kvcore::CTGXDoc& doc, const std::vector<kvcore::COLORREF>& colors);
