#pragma once
// Resource identifiers shared by the .rc script and the code.
#define IDI_QUENMARK 1
#define IDI_LINK 2
#define IDC_POINTER 3
#define IDB_LOGO 10
#define IDB_BANNER 11
#define IDB_BACKGROUND 12

// The "Engines" dialog and the "Engine" dialog it opens for one engine.
#define IDD_ENGINES 100
#define IDD_ENGINE 101
#define IDC_ENGINE_LIST 1001
#define IDC_ENGINE_ADD 1002
#define IDC_ENGINE_EDIT 1003
#define IDC_ENGINE_REMOVE 1004
#define IDC_ENGINE_UP 1005
#define IDC_ENGINE_DOWN 1006
#define IDC_ENGINE_LEFT_OUT 1007
#define IDC_ENGINE_LEFT_OUT_LABEL 1008
#define IDC_ENGINE_NAME 1010
#define IDC_ENGINE_URL 1011
#define IDC_ENGINE_PROBLEM 1012
#define IDC_ENGINE_TRY 1013
