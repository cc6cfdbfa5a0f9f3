// Identifiers of the dialog templates and their controls. Plain constants: the resource
// compiler reads this file, and so does portable code, which never includes <windows.h>.
#ifndef TESSALY_RESOURCE_IDS_H
#define TESSALY_RESOURCE_IDS_H

// The push buttons every dialog has; the same values as IDOK and IDCANCEL.
#define IDC_OK 1
#define IDC_CANCEL 2

// Progress window and result dialog of a batch. Both show the two counts under the same ids.
#define IDD_PROGRESS 134
#define IDD_RESULT 135
#define IDC_PROGRESS_BAR 1013
#define IDC_DONE_COUNT 1014
#define IDC_NOT_DONE_COUNT 1015
#define IDC_LOG_FILE 1016
#define IDC_DONE_LABEL 1051
#define IDC_NOT_DONE_LABEL 1053
// The result dialog's button that undoes the batch just run.
#define IDC_UNDO 1060
// The progress window's Stop button.
#define IDC_STOP 1061

// The application icon, shown by the About dialog and the main dialog.
#define IDI_TESSALY 128

// About dialog, and the entry the main dialog adds to its window menu for it.
#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDM_ABOUTBOX 16

// Renumber settings.
#define IDD_RENUMBER_SETTINGS 136
#define IDC_DIGITS 1017
#define IDC_START_NUMBER 1018
#define IDC_RANGE 1019
#define IDC_ORDER_ALPHANUMERIC 1054
#define IDC_ORDER_FILE_TIME 1055
#define IDC_ORDER_IMAGE_TIME 1056

// Resize settings. The size buttons' ids are also the stored encoding of the choice: heights
// 1029 + row and widths 1040 + row, rows Thumbnail, Small, Medium, VGA, Large.
#define IDD_RESIZE_SETTINGS 139
#define IDC_CUSTOM_WIDTH_FIELD 1027
#define IDC_CUSTOM_HEIGHT_FIELD 1028
#define IDC_HEIGHT_THUMBNAIL 1029
#define IDC_HEIGHT_SMALL 1030
#define IDC_HEIGHT_MEDIUM 1031
#define IDC_HEIGHT_VGA 1032
#define IDC_HEIGHT_LARGE 1033
#define IDC_WIDTH_THUMBNAIL 1040
#define IDC_WIDTH_SMALL 1041
#define IDC_WIDTH_MEDIUM 1042
#define IDC_WIDTH_VGA 1043
#define IDC_WIDTH_LARGE 1044
#define IDC_CUSTOM_HEIGHT 1046
#define IDC_CUSTOM_WIDTH 1047
#define IDC_RESIZE_PREFIX 1048

// The main dialog. Some ids repeat those of other dialogs: each template has its own.
#define IDD_RENAME 132
#define IDC_FILE_COUNT 1000
#define IDC_NEW_PREFIX 1001
#define IDC_ORIGINAL_NAME 1002
#define IDC_NEW_NAME 1003
#define IDC_RESIZE_NAME 1004
#define IDC_REMOVAL_ADJUSTER 1006
#define IDC_REMOVED_COUNT 1007
#define IDC_REMOVED_PREFIX 1008
#define IDC_ABOUT 1009
#define IDC_RENUMBER_SETTINGS 1010
#define IDC_RESIZE_SETTINGS 1011
#define IDC_RENAME_FILES 1015
#define IDC_RENUMBER 1020
#define IDC_RESIZE 1021
#define IDC_VIEW_SELECTED 1022
#define IDC_RENAME 1047
#define IDC_NEW_NAME_LABEL 1048
#define IDC_RESIZE_NAME_LABEL 1049
#define IDC_RESIZE_SIZE 1050
#define IDC_RESIZE_PREFIX_TEXT 1051
// Opens the preview of the whole batch.
#define IDC_PREVIEW 1023

// The preview: a line that counts, the list of every file, and its filter. Close is IDC_OK.
#define IDD_PREVIEW 140
#define IDC_PREVIEW_SUMMARY 1100
#define IDC_PREVIEW_LIST 1101
#define IDC_PREVIEW_NOTED 1102

#endif
