// The text savers' settings dialog and its controls.
#pragma once

#define IDD_TEXT_SETTINGS 102
#define IDC_TEXT_EDIT 1000
#define IDC_STRING_LIST 1005
#define IDC_NEW_BUTTON 1007
#define IDC_UPDATE_BUTTON 1008
#define IDC_DELETE_BUTTON 1009
#define IDC_FONT_LIST 1010
#define IDC_FONT_SIZE 1011
#define IDC_BOLD_CHECK 1012
#define IDC_ITALIC_CHECK 1013
#define IDC_SPEED_BOX 1014
