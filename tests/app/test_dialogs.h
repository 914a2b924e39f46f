// Resource ids of the app tests' own dialog.
#pragma once

#define IDD_TEST 200
#define IDC_NUMBER 202
#define IDC_GO 207
#define IDD_MISSING 299
