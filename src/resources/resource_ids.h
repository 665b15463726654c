#pragma once
// Resource identifiers shared by the .rc script and the code.
#define IDI_QUENMARK 1
#define IDI_LINK 2
#define IDC_POINTER 3
#define IDB_LOGO 10
#define IDB_BANNER 11
#define IDB_BACKGROUND 12
