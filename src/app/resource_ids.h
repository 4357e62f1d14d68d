// Identifiers of the resources and commands, shared by the resource script and the code.
#pragma once

#define IDR_MAINFRAME 103       // main menu, accelerators and icon
#define IDR_CONTEXT_MENU 104    // editor context menu; sub-menu 1 is the favourites' edit menu
#define IDR_MENU_BAR 114        // the buttons of the menu-bar toolbar
#define IDD_OPEN_EXTRA 105      // controls added below the open dialog
#define IDD_SAVE_EXTRA 106      // controls added below the save dialog
#define IDD_REOPEN 107
#define IDD_FIND 108
#define IDD_JUMP 109
#define IDD_SETTINGS 110
#define IDD_ADD_FAVORITES_EXTRA 111  // controls added below the favourites' add-file dialog
#define IDD_FAVORITES 112
#define IDD_RESTORE 113  // the notes a crash left unsaved, offered at start
#define IDD_RUN_PROGRAM 115     // the question before a linked program runs
#define IDD_LOSSY_SAVE 120      // the question before a save that would lose characters

#define IDS_SAVE_PROMPT 1
#define IDS_PRODUCT_NAME 2
#define IDS_SAVE_FAILED 3
#define IDS_ALL_FILES_FILTER 4
#define IDS_TEXT_FILES_FILTER 5
#define IDS_OPEN_FAILED 6
#define IDS_DEFAULT_DOC_TYPE 7
#define IDS_NOT_FOUND 8
#define IDS_REPLACED_COUNT 9
#define IDS_ABOUT_TITLE 10
#define IDS_ABOUT_NOTICE 11
#define IDS_FAVORITE_LIST_FILTER 12
#define IDS_SETTINGS_TITLE 13  // the caption of dialog 110, looked for in other instances
#define IDS_FAVORITE_NOT_STORED 14
#define IDS_INSTANCE_BUSY 15      // a wait for another instance ran out
#define IDS_LINK_NOT_OPENED 16    // a link that is no web address or full path; %s: the target
#define IDS_RUN_PROGRAM_SHARE 17  // the question's note for a program on another machine
// The favourites dialog and its add-file dialog.
#define IDS_FAVORITES_TITLE 120  // the caption of dialog 112, looked for in other instances
#define IDS_FAVORITES_COLUMN_NO 121
#define IDS_FAVORITES_COLUMN_NAME 122
#define IDS_FAVORITES_COLUMN_ENCODING 123
#define IDS_FAVORITES_COLUMN_PATH 124
#define IDS_FAVORITES_HOME_ROW 125
#define IDS_ADD_FAVORITES_TITLE 126
#define IDS_FOLDER_CURRENT 127  // the folder combo of the file dialogs: 127 to 131 in its order
#define IDS_FOLDER_DOCUMENTS 128
#define IDS_FOLDER_COMMON_DOCUMENTS 129
#define IDS_FOLDER_APP_DATA 130
#define IDS_FOLDER_ONEDRIVE 131
#define IDS_RESTORE_UNTITLED 140  // the restore dialog's words
#define IDS_RESTORE_LINES 141
#define IDS_RESTORE_CHANGED 142
#define IDS_RESTORE_MISSING 143
#define IDS_LOADING 170          // the status bar while a big file loads; %d: percent
#define IDS_LOADED_LINES 171     // the status bar once it is in; %d: lines
#define IDS_TEXT_INCOMPLETE 172  // a save refused: the load was stopped or failed
#define IDS_LOAD_STOPPED 173     // the status bar after such a load
#define IDS_SAVING 174           // the status bar while a big document is saved; %d: percent

// The notebook: Links Here, Search notes, Check links.
#define IDD_LINKS_HERE 130
#define IDD_SEARCH_NOTES 131
#define IDS_NOTEBOOK_READING 180  // %1 of %2 notes read
#define IDS_NOTEBOOK_READY 181    // %1 notes
#define IDS_BROKEN_LINKS 182      // %1 of %2 links are broken
#define IDS_NO_NOTEBOOK 183
#define IDS_LINKS_HERE_COUNT 184  // %1 links from %2 notes
#define IDS_NOTES_FOUND 185       // %1 matches in %2 notes
#define IDS_NO_BROKEN_LINK 186
#define IDS_NO_LINKS_HERE 187  // the Links Here drop-down with nothing to list
#define IDC_NOTEBOOK_PLACES 1300  // the list of places
#define IDC_NOTEBOOK_COUNT 1301   // what the list holds
#define IDC_NOTES_PATTERN 1302
#define IDC_NOTES_IGNORE_CASE 1303
#define IDC_NOTES_REG_EXP 1304
#define IDC_NOTES_SEARCH 1305
#define IDM_LINKS_HERE 40700
#define IDM_SEARCH_NOTES 40701
#define IDM_CHECK_LINKS 40702
#define IDM_NEXT_BROKEN_LINK 40703
#define IDM_LINKS_HERE_FIRST 40800
// Saves that never lose a character.
#define IDS_LOST_CHARACTER 150  // one lost character: %1 itself, %2 its code, %3 line, %4 column
#define IDS_SAVE_CHANGED_ON_DISK 151
#define IDS_RELOAD_CHANGED 152
#define IDS_OVERWRITE_REPLACED 153
#define IDS_OVERWRITE_HELD_NUL 154
#define IDS_SAVE_CONVERSION_FAILED 155
#define IDS_SAVE_NEW_KEPT 156  // %s: where the new text is
#define IDS_SAVE_OLD_KEPT 157  // %s: where the old file is
#define IDS_NOTICE_RELOADED 158
#define IDS_NOTICE_REPLACED_BYTES 159
#define IDS_NOTICE_HELD_NUL 160
#define IDS_TITLE_FILE_GONE 161
#define IDS_FAVORITES_DROP_CHANGES 162
#define IDS_SETTINGS_NOT_SAVED 163
#define IDS_HISTORY_NOT_CLEARED 164
#define IDS_LIST_UNREADABLE 165  // why a list was not written
#define IDS_LIST_LOCKED 166

// Controls of the dialog templates.
#define IDC_ENCODING 1002
#define IDC_LINE_END 1003
#define IDC_FIND_TEXT 1004
#define IDC_REPLACE_TEXT 1005
#define IDC_IGNORE_CASE 1006
#define IDC_REG_EXP 1007
#define IDC_JUMP_LINE 1007
#define IDC_FIND_PREV 1008
#define IDC_MRU 1010
#define IDC_UNDO_UNLIMITED 1011
#define IDC_UNDO_LIMITED 1012
#define IDC_UNDO_LIMIT 1013
#define IDC_FAVORITE_LIST 1020
#define IDC_OPEN_SAME 1026
#define IDC_NEWFILE_CHARSET 1028
#define IDC_NEWFILE_LINE_END 1029
#define IDC_REMEMBER_SIZE 1030
#define IDC_REMEMBER_POS 1031
#define IDC_SINGLE_CLICK 1034
#define IDC_MOVE_UP 1035
#define IDC_MOVE_DOWN 1036
#define IDC_READ_ONLY 1037
#define IDC_FAVORITE_OPEN 1038
#define IDC_FAVORITE_ADD 1039
#define IDC_FAVORITE_DELETE 1040
#define IDC_FOLDER 1042
#define IDC_FAVORITE_EDIT 1043
#define IDC_FAVORITE_SAVE 1044
#define IDC_RESTORE_LIST 1100
#define IDC_RESTORE_DISCARD 1101
#define IDC_PROGRAM_PATH 1050   // the question before a linked program runs: its path,
#define IDC_PROGRAM_SHARE 1051  // the note for a program on another machine,
#define IDC_RUN_PROGRAM 1052    // run it,
#define IDC_OPEN_FOLDER 1053    // open its folder instead
#define IDC_LOST_CHARACTERS 1200   // the lossy-save question: the lost characters,
#define IDC_SAVE_IN_UTF8 1201      // save in UTF-8 instead,
#define IDC_SAVE_WITH_LOSSES 1202  // save with the losses
#define IDC_STATUS_BAR 1787
#define IDC_MENU_BAR 30000

// Commands: menu items, accelerators and toolbar buttons.
#define IDM_HOME 30001
#define IDM_HISTORY_BUTTON 30002
#define IDM_LINKS_HERE_BUTTON 30003
#define IDM_REOPEN 40002
#define IDM_NEW_FILE 40004
#define IDM_OPEN 40005
#define IDM_SAVE 40006
#define IDM_SAVE_AS 40007
#define IDM_EXIT 40008
#define IDM_UNDO 40009
#define IDM_REDO 40010
#define IDM_CUT 40011
#define IDM_COPY 40012
#define IDM_PASTE 40013
#define IDM_DELETE 40014
#define IDM_SELECT_ALL 40015
#define IDM_FIND 40016
#define IDM_FIND_NEXT 40017
#define IDM_FIND_PREV 40018
#define IDM_NO_WRAP 40019
#define IDM_WRAP_WIDTH 40020
#define IDM_WRAP_EDGE 40021
#define IDM_SETTINGS 40022
#define IDM_JUMP 40023
#define IDM_INSERT_DATE_TIME 40024
#define IDM_NEXT_WINDOW 40026
#define IDM_PREV_WINDOW 40027
#define IDM_GREP 40028
#define IDM_STATUS_BAR 40031
#define IDM_ABOUT 40032
#define IDM_OPEN_LINK 40033
#define IDM_OPEN_LOCATION 40034
#define IDM_ADD_FAVORITE 40037
#define IDM_NEXT_LINE_LINK 40039
#define IDM_PREV_LINE_LINK 40040
#define IDM_PREV_LINK 40041
#define IDM_NEXT_LINK 40042
#define IDM_NO_EDITING 40045
#define IDM_BACK 40046
#define IDM_FORWARD 40047
#define IDM_CLEAR_HISTORY 40053
#define IDM_FAVORITES 40055
#define IDM_FAVORITES_EXPORT 40057
#define IDM_FAVORITES_IMPORT 40058
#define IDM_FAVORITES_CLEAR 40059
#define IDM_HISTORY_FIRST 40200
#define IDM_DOC_TYPE_FIRST 40300
#define IDM_FAVORITE_FIRST 40400
