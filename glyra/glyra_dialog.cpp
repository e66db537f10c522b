// Glyra on Windows: its table and the text savers' "Setting" dialog.
#include "glyra_table.h"
#include "settings_dialog.h"
#include "settings_dialog_ids.h"

const WindowsSaver ProgramWindows = {GlyraTable, IDD_TEXT_SETTINGS, TextDialogFields, TextDialogFieldCount,
                                     SettingsDialogProc};
