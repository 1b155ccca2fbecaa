// Identifiers of the stand-in's entry editor, shared by its template and the tests that drive it.
#pragma once

#define IDD_RASEMU_ENTRY_EDITOR 100
#define IDC_RASEMU_ENTRY_NAME 1001
#define IDC_RASEMU_AREA_CODE 1002
#define IDC_RASEMU_LOCAL_NUMBER 1003
#define IDC_RASEMU_USER_NAME 1004
#define IDC_RASEMU_PASSWORD 1005
