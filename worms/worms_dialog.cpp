// Worms on Windows: its table, and which control of its "Setting" dialog
// shows which setting.
#include "dialog_fields.h"
#include "resource.h"
#include "table_saver.h"
#include "worms_table.h"

namespace {
const DialogField Fields[] = {
    {WormsCount, IDC_WORMS_CNT, IDC_WORMS_CNT},
    {WormsLength, IDC_WORMS_LEN, IDC_WORMS_LEN},
    // The radio button for Type t is IDC_TRAIL_CLEAR + t.
    {WormsType, IDC_TRAIL_CLEAR, IDC_TRAIL_SMEAR},
};
}

const WindowsSaver ProgramWindows = {WormsTable, IDD_SETTING, Fields, 3, FieldsDialogProc};
