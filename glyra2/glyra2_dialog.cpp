// Glyra2 on Windows: its table and the text savers' "Setting" dialog.
#include "glyra2_table.h"
#include "settings_dialog.h"
#include "settings_dialog_ids.h"

const WindowsSaver ProgramWindows = {Glyra2Table, IDD_TEXT_SETTINGS, TextDialogFields, TextDialogFieldCount,
                                     SettingsDialogProc};
