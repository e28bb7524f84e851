#pragma once
// The dialogs a table window opens, as hooks: the dialogs module installs them when it is
// linked in, and tests install their own. A hook left empty opens nothing and answers Cancel.
#include "kvcore/kvcore_api.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CTView;

// One title of the column chooser: a string id, or (atoms) the title text itself.
struct KvColumnTitle {
    std::uint32_t stringId = 0; // 0: text holds the title
    std::string text;
};

// What the column chooser works on.
struct KvColumnChooserArgs {
    std::uint32_t captionId = 0; // the "Columns" caption
    std::vector<KvColumnTitle> titles; // by column id
    std::vector<std::uint16_t>* selection = nullptr; // the document's selected columns, edited on OK
    CTView* view = nullptr;
    int mandatory = 0; // the document's column-chooser integer
    int showFixed = 1; // the fixed-columns switch
    int fixedCount = 0; // in: the grid's frozen count; out (OK): the count chosen
};

struct KvTableDialogHooks {
    // The column chooser; 1 for OK.
    std::function<int(KvColumnChooserArgs& args)> chooseColumns;
    // The popup-menu editor of a table's menu, changing the definition in place; 1 for OK.
    std::function<int(CTView& view, std::uint32_t tableId, std::vector<std::uint16_t>& definition)> editPopup;
};

KVCORE_API KvTableDialogHooks& KvTableDialogs();
