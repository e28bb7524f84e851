// Ids of the choose-and-order dialogs (the two-list chooser and the popup editor on it) and
// of the shortcut keys page with its assign dialog.
#pragma once

enum KvChooserStringId : unsigned {
    IDS_SELECTED_HEADING = 30004,
    IDS_SHORTCUT_SELECT_SHORTCUT = 20611,
    IDS_SHORTCUT_SELECT_MACRO = 20612,
    IDS_SHORTCUT_RESET_ALL = 20613,
};

enum KvChooserDialogId : unsigned {
    IDD_SHORTCUT_KEYS = 20488,
    IDD_ASSIGN_SHORTCUT = 20489,
    IDD_SELECT = 30200,
};

enum KvChooserControlId : unsigned {
    // Shortcut keys page.
    IDC_SHORTCUT_CREATE = 20548,
    IDC_SHORTCUT_REMOVE = 20549,
    IDC_SHORTCUT_ASSIGNED = 20550,
    IDC_SHORTCUT_DESCRIPTION = 20551,
    IDC_SHORTCUT_RESET_ALL = 20552,
    IDC_SHORTCUT_MACROS = 20553,
    // Assign dialog.
    IDC_SHORTCUT_NEW_KEY = 20554,
    IDC_SHORTCUT_CURRENT = 20555,
    // Two-list chooser.
    IDC_SELECT_CHOSEN = 100,
    IDC_SELECT_ADD = 101,
    IDC_SELECT_REMOVE = 102,
    IDC_SELECT_ADD_ALL = 103,
    IDC_SELECT_REMOVE_ALL = 104,
    IDC_SELECT_AVAILABLE = 105,
    IDC_SELECT_FIXED = 106,
    IDC_SELECT_FIXED_LABEL = 107,
    IDC_SELECT_SETS_LABEL = 1000,
    IDC_SELECT_SETS = 1001,
};
