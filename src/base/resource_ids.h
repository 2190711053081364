// Resource identifiers of the Windows program, shared by the resource script
// and the code. Plain #defines so that windres can read this file too.
#pragma once

#define IDI_SMALL 1  // 48 x 48, 32-bit with alpha
#define IDI_LARGE 2  // the same picture; window class and notification icon
#define IDR_ACCELERATORS 2
#define IDD_ABOUT 103
#define IDS_PRODUCT_NAME 104
#define IDB_WORLD_MAP 104
#define IDV_VERSION 1
#define IDC_ABOUT_ICON 3
