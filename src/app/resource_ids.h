// Identifiers of the resources and commands, shared by the resource script and the code.
#pragma once

#define IDR_MAINFRAME 103  // main menu, accelerators and icon

#define IDS_SAVE_PROMPT 1
#define IDS_PRODUCT_NAME 2
#define IDS_SAVE_FAILED 3
#define IDS_ALL_FILES_FILTER 4
#define IDS_TEXT_FILES_FILTER 5
#define IDS_OPEN_FAILED 6
#define IDS_NOT_FOUND 8
#define IDS_REPLACED_COUNT 9
#define IDS_FAVORITE_LIST_FILTER 12

#define IDM_NEW_FILE 40004
#define IDM_EXIT 40008
