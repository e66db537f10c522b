// Orbel on Windows: its table, and which control of its "Setting" dialog
// shows which setting.
#include "dialog_fields.h"
#include "orbel_table.h"
#include "resource.h"
#include "table_saver.h"

namespace {
const DialogField Fields[] = {{OrbelCount, IDC_COUNT, IDC_COUNT}};
}

const WindowsSaver ProgramWindows = {OrbelTable, IDD_SETTING, Fields, 1, FieldsDialogProc};
