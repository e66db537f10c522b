// The shell's hooks for the program's table: one run per window, its start
// in the table's two phases (every window's Prepare before any window
// exists, Create as each appears), a draw per tick through a GDI canvas, the
// End as the window closes; deleting the instance frees the run.
#include "table_saver.h"

#include <memory>

#include "failure_points.h"
#include "gdi_canvas.h"
#include "saver_hooks.h"
#include "shown_text.h"

namespace {

TableSettings Settings(ProgramWindows.Table);

class TableInstance final : public SaverInstance {
public:
    using SaverInstance::SaverInstance;
    std::unique_ptr<SaverRun> Run;
};

RunView ViewOf(const SaverView& v)
{
    RunView view;
    view.Index = v.Index;
    view.ScreenWidth = v.ScreenWidth;
    view.ScreenHeight = v.ScreenHeight;
    view.WindowWidth = v.WindowWidth;
    view.WindowHeight = v.WindowHeight;
    return view;
}

SettingsKey& SettingsHook() { return Settings; }

SaverInstance* NewInstance(const SaverView& view)
{
    std::unique_ptr<TableInstance> instance(NewOrNull<TableInstance>(view));
    if (!instance) return nullptr;
    instance->Run.reset(ProgramWindows.Table.NewRun());
    return instance->Run ? instance.release() : nullptr;
}

bool Prepare(SaverInstance& instance)
{
    RunView view = ViewOf(instance.View);
    view.Seed = GetTickCount();
    SaverRun& run = TableRunOf(instance);
    {
        // Fonts made before the window exists need no DC.
        GdiCanvas fonts(nullptr);
        if (!ProgramWindows.Table.Prepare(run, Settings.Values, fonts, view)) return false;
    }
    // Said before the window exists, by the first window only: the others
    // would say the same; in the language of the program's dialog.
    if (run.Notice && view.Index == 0)
        MessageBoxW(nullptr, ShownText(ProgramWindows.Table, *run.Notice), nullptr, MB_ICONERROR);
    return true;
}

void OnCreate(SaverInstance& instance, HWND window)
{
    HDC dc = GetDC(window);
    {
        GdiCanvas canvas(dc);
        ProgramWindows.Table.Create(TableRunOf(instance), Settings.Values, canvas, ViewOf(instance.View));
    }
    ReleaseDC(window, dc);
    ShowWindow(window, SW_SHOW);
}

void DrawFrame(SaverInstance& instance, HWND, HDC dc)
{
    GdiCanvas canvas(dc);
    ProgramWindows.Table.Draw(TableRunOf(instance), canvas);
}

bool QueryClose(SaverInstance& instance, HWND)
{
    ProgramWindows.Table.End(TableRunOf(instance));
    return true;
}

INT_PTR RunSettingsDialog(HINSTANCE instance)
{
    // The wide form, so that the dialog's Japanese texts show right whatever
    // the system's ANSI code page.
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(ProgramWindows.DialogId), Settings.ParentWindow,
                           ProgramWindows.Procedure, 0);
}

} // namespace

TableSettings& ProgramSettings() { return Settings; }

SaverRun& TableRunOf(SaverInstance& instance) { return *static_cast<TableInstance&>(instance).Run; }

const SaverHooks ProgramSaver = {
    ProgramWindows.Table.Name,
    ProgramWindows.Table.PreviewEndsOnInput,
    SettingsHook, RunSettingsDialog, NewInstance, Prepare, OnCreate, DrawFrame, QueryClose,
};
