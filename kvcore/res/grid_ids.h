// Ids of the grid windows' commands, menus and texts.
#pragma once

enum KvGridId : unsigned {
    IDS_LINK_EXCEL = 30006,
    IDS_UNLINK_EXCEL = 30007,
    IDS_CANNOT_START_EXCEL = 30009,
    IDS_FIT_CONTROL = 30016,
    IDS_UNFIX = 30019,
    IDS_FIX = 30020,

    IDM_GRID_POPUP = 52, // the "Grid" popup (the title row's corner)
    IDM_COLUMN_POPUP = 53, // the "&Column" popup (a column title)

    ID_OPTIONS_COLOR = 35948,
    ID_GRID_ZOOMIN = 35984,
    ID_GRID_ZOOMOUT = 35985,
    ID_GRID_ZOOM100 = 35986,
    ID_GRID_NOSORT = 35987,
    ID_GRID_SIZETOCONTENT = 35988,
    ID_GRID_SHRINKVIEW = 35989,
    ID_GRID_EXCEL = 35992,
    ID_SORT_ASCENDING = 35994,
    ID_SORT_DESCENDING = 35995,
    ID_COL_NOSORT = 35996,
    ID_COL_SIZETOCONTENT = 35997,
    ID_COL_FIX = 35998,
    ID_SORT_DLG = 35999,
};
