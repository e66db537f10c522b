// Resource numbers of Orbel.
#pragma once

#define IDI_ORBEL 101
#define IDD_SETTING 102
#define IDC_COUNT 1000
