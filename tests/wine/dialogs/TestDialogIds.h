// Resources of the test program's own dialogs, which exercise the binding with every kind of
// control the application's dialogs use.
#ifndef TESSALY_TEST_DIALOG_IDS_H
#define TESSALY_TEST_DIALOG_IDS_H

#define IDD_PROBE 900
#define IDD_PROBE_CHILD 901
#define IDC_PROBE_EDIT 910
#define IDC_PROBE_COMBO 911
#define IDC_PROBE_CHECK 912
#define IDC_PROBE_UPDOWN 913
#define IDC_PROBE_STATIC 914
#define IDC_PROBE_BUTTON 915
#define IDC_PROBE_PROGRESS 916
#define IDS_PROBE_MENU_ENTRY 920
#define IDS_PROBE_EMPTY 921
#define IDI_PROBE 930

#endif
