// Resource identifiers shared by the resource scripts and the program.
#pragma once

#define IDR_MAINFRAME 109  // menu and accelerator table of the frame

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
