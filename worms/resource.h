// Resource and control ids of Worms.
#pragma once

#define IDI_WORMS 101
#define IDD_SETTING 102

#define IDC_WORMS_CNT 1000
#define IDC_WORMS_LEN 1001
// The radio button for Type t is IDC_TRAIL_CLEAR + t.
#define IDC_TRAIL_CLEAR 1002
#define IDC_TRAIL_NONE 1003
#define IDC_TRAIL_SMEAR 1004
