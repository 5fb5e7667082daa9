// Resource identifiers shared by the resource scripts and the program.
#pragma once


// Pictures (images.rc). The tree and list images are six 16 by 16 images in
// a row; the toolbar images three rows (normal, hot, disabled) of 17 images
// of 18 by 17. The _150 and _200 variants hold the same images drawn at 150
// and 200 percent: 24 and 32 pixels, toolbar cells of 27 by 26 and 36 by 34.
#define IDI_ORDALIS 107       // the program's icon
#define IDI_PACKAGE_FILE 108  // the icon of a package file
#define IDC_SPLITTER 11       // the cursor over a splitter
#define IDB_NODES 131
#define IDB_TOOLBAR 132
#define IDB_NODES_150 141
#define IDB_TOOLBAR_150 142
#define IDB_NODES_200 151
#define IDB_TOOLBAR_200 152

// Commands
#define ID_APP_ABOUT 32771
#define ID_APP_EXIT 32772
#define ID_EDIT_REFRESH 32774
#define ID_EDIT_DELETE 32775
#define ID_FILE_OPEN 32778
#define ID_FILE_NEW 32779
#define ID_FILE_SAVE 32780
#define ID_FILE_SAVE_AS 32781
#define ID_EDIT_COPY_TO_FILE 32782
#define ID_EDIT_COPY_TO_SYSTEM 32783
#define ID_EDIT_UNDO 32784
#define ID_EDIT_REDO 32785
#define ID_FILE_MRU_FIRST 32790
#define ID_FILE_MRU_LAST 32794
#define ID_EDIT_SELECT_ALL 32801
#define ID_NEXT_PANE_CONTROL 32802
#define ID_PREV_PANE_CONTROL 32803
#define ID_EDIT_RENAME 32804
#define ID_HELP_CONTENTS 33100
#define ID_HELP_WHATS_THIS 33101
#define ID_HELP_HOME_PAGE 33103

// Strings (strings.rc). The tooltips carry the number of their command's
// tooltip string, not the command identifier.
#define IDS_TIP_NEW 32900
#define IDS_TIP_OPEN 32901
#define IDS_TIP_SAVE 32902
#define IDS_TIP_UNDO 32903
#define IDS_TIP_REDO 32904
#define IDS_TIP_COPY_TO_FILE 32905
#define IDS_TIP_COPY_TO_SYSTEM 32906
#define IDS_TIP_DELETE 32907
#define IDS_TIP_WHATS_THIS 32908
#define IDS_CANT_UNDO 33005
#define IDS_CANT_REDO 33006
#define IDS_UNDO 33007
#define IDS_REDO 33008
#define IDS_UNDO_KEY 33009
#define IDS_REDO_KEY 33010
#define IDS_SAVE_AS_READ_ONLY 33012
#define IDS_SAVE_CHANGES 33014
#define IDS_OPEN_MISSING 33015
#define IDS_OPEN_UNSUPPORTED 33016
#define IDS_GROUP_COPY 33017
#define IDS_GROUP_DELETE 33018
#define IDS_OVERWRITE_SYSTEM 33019
#define IDS_OVERWRITE_PACKAGE 33020
#define IDS_OPEN_TITLE 33021
#define IDS_OPEN_FILTER 33022
#define IDS_SAVE_TITLE 33023
#define IDS_SAVE_FILTER 33024
#define IDS_PACKAGE_PATTERN 33025
#define IDS_PACKAGE_EXTENSION 33026
#define IDS_TITLE_FORMAT 33028
#define IDS_TITLE_READ_ONLY 33029
#define IDS_RECENT_READ_ONLY 33030
#define IDS_PACKAGE_PANE 33031
#define IDS_SYSTEM_PANE 33032
#define IDS_NAME_TOO_LONG 33033
#define IDS_NAME_TOO_LONG_TITLE 33034
#define IDS_NAME_CONFLICT 33035
#define IDS_NAME_CONFLICT_TITLE 33036
#define IDS_RENAME_WRITE_FAILED 33037
#define IDS_RENAME_REMOVE_FAILED 33038
#define IDS_SAVE_FAILED 33040
#define IDS_UNDO_FAILED 33041
#define IDS_REDO_FAILED 33042
#define IDS_HOME_PAGE_URL 33043
#define IDS_ABOUT_VERSION 33044
#define IDS_HOME_PAGE_FAILED 33045
#define IDS_COPY_FAILED 33046
#define IDS_COPY_INCOMPLETE 33047
#define IDS_DELETE_INCOMPLETE 33048
#define IDS_COPY_LEFT_OUT 33049

// Start-up, the question before a large delete and long work.
#define IDS_STARTUP_ARGUMENT 33070
#define IDS_DELETE_QUESTION 33071
#define IDS_DELETE_PRESETS 33072
#define IDS_DELETE_PRESETS_ONE_PLUGIN 33073
#define IDS_DELETE_ONE_PRESET 33074
#define IDS_DELETE_CHAINS 33075
#define IDS_DELETE_ONE_CHAIN 33076
#define IDS_DELETE_BOTH 33077
#define IDS_PROGRESS_COUNT 33078
#define IDS_PROGRESS_COPY 33079
#define IDS_PROGRESS_DELETE 33080
#define IDS_PROGRESS_UNDO 33081
#define IDS_PROGRESS_REDO 33082
#define IDS_STOPPED_GROUP 33083
#define IDS_STOPPED_UNDO 33084
#define IDS_STOPPED_REDO 33085

// Menu items, without their shortcuts (the command table adds them).
#define IDS_MENU_FILE 33200
#define IDS_MENU_EDIT 33201
#define IDS_MENU_HELP 33202
#define IDS_MENU_NEW 33203
#define IDS_MENU_OPEN 33204
#define IDS_MENU_SAVE 33205
#define IDS_MENU_SAVE_AS 33206
#define IDS_MENU_EXIT 33207
#define IDS_MENU_REFRESH 33208
#define IDS_MENU_DELETE 33209
#define IDS_MENU_COPY_TO_FILE 33210
#define IDS_MENU_COPY_TO_SYSTEM 33211
#define IDS_MENU_HELP_CONTENTS 33212
#define IDS_MENU_HOME_PAGE 33213
#define IDS_MENU_ABOUT 33214

// The help and about boxes (dialogs.rc) and the help text (help.txt).
#define IDD_HELP 200
#define IDD_ABOUT 201
#define IDR_HELP_TEXT 210
#define IDC_HELP_TOPICS 1001
#define IDC_HELP_TEXT 1002
#define IDC_HELP_HEADING 1003
#define IDC_ABOUT_ICON 1010
#define IDC_ABOUT_NAME 1011
#define IDC_ABOUT_VERSION 1012
#define IDC_ABOUT_STORE 1013
#define IDC_ABOUT_SETTINGS 1014

// The progress window of long work (dialogs.rc).
#define IDD_PROGRESS 220
#define IDC_PROGRESS_TEXT 1030
#define IDC_PROGRESS_BAR 1031
