// A saver on Windows: its table (saver_table.h) and its "Setting" dialog, a
// resource of the program. Each program defines its one ProgramWindows; the
// shell's hooks (ProgramSaver) and the program's one settings object are
// made from it.
#pragma once

#include <windows.h>

#include "saver_table.h"
#include "table_settings.h"

// Which control of the dialog shows which setting: an edit field (a
// Number), a check box (a Flag), a drop-down list (a Choice in one control)
// or radio buttons Control..LastControl (a Choice, one button per value).
struct DialogField {
    int32_t Setting;  // its place in the schema
    int Control;
    int LastControl;
};

struct WindowsSaver {
    const SaverTable& Table;
    int DialogId;  // the "Setting" dialog's resource
    const DialogField* Fields;
    int32_t FieldCount;
    DLGPROC Procedure;  // FieldsDialogProc, or the dialog's own
};

extern const WindowsSaver ProgramWindows;

// The program's one settings object.
TableSettings& ProgramSettings();

class SaverInstance;
// The saver's run inside an instance that the program's hooks made.
SaverRun& TableRunOf(SaverInstance& instance);
