// Ids of the table windows' own commands and texts (beside the grid's, grid_ids.h).
#pragma once

enum KvTableId : unsigned {
    IDS_COLUMNS_CAPTION = 30008,

    ID_OPTIONS_DISPLAYORDER = 35947,
    ID_OPTIONS_POPUP = 35950,
    ID_OPTIONS_TITLE = 35952,
    ID_WINDOW_ALWAYSONTOP = 35962,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57608,
};
