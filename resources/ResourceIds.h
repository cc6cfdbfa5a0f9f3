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

#endif
