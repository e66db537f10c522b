// A dialog made from this program's resources, modeless and in-process,
// driven with the messages its controls send: the fixture of the settings
// dialogs' tests. And a presser for a modal dialog, for the tests of a
// RunSettingsDialog hook, which returns only when its dialog ends.
#pragma once

#include <windows.h>

#include <string>

class DialogDriver {
public:
    DialogDriver() = default;
    ~DialogDriver() { Close(); }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Opens template id with its procedure, as a Unicode dialog like the
    // programs' own; false when it cannot be made.
    bool Open(int id, DLGPROC proc)
    {
        Close();
        dialog_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), nullptr, proc, 0);
        return dialog_ != nullptr;
    }
    // Destroys it: EndDialog only hides a modeless dialog.
    void Close()
    {
        if (dialog_) DestroyWindow(dialog_);
        dialog_ = nullptr;
    }

    HWND Window() const { return dialog_; }
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }

    // A click on a button, as the button tells its dialog.
    void Press(int id) const { Notify(id, BN_CLICKED); }
    // A control's notification, such as a list box's LBN_SELCHANGE.
    void Notify(int id, int code) const
    {
        SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(id)));
    }

    // A control's text in the system's ANSI code page.
    void SetText(int id, const std::string& text) const { SetDlgItemTextA(dialog_, id, text.c_str()); }
    std::string Text(int id) const
    {
        char text[1024] = "";
        GetDlgItemTextA(dialog_, id, text, sizeof text);
        return text;
    }
    // A window's text as the user reads it.
    static std::wstring WideText(HWND window)
    {
        wchar_t text[512] = L"";
        GetWindowTextW(window, text, 512);
        return text;
    }

private:
    HWND dialog_ = nullptr;
};

namespace dialog_driver {
inline int PendingButton = 0;
inline void (*PendingLook)(HWND dialog) = nullptr;

inline void CALLBACK PressPending(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowA(nullptr, "Setting");
    if (!dialog || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, timer);
    if (PendingLook) PendingLook(dialog);
    PendingLook = nullptr;
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(PendingButton, BN_CLICKED), 0);
}
} // namespace dialog_driver

// Presses button of the modal dialog captioned "Setting" as soon as it
// shows, after look (when given) has examined it; the dialog's own loop
// runs the thread's timer.
inline void PressWhenShown(int button, void (*look)(HWND dialog) = nullptr)
{
    dialog_driver::PendingButton = button;
    dialog_driver::PendingLook = look;
    SetTimer(nullptr, 0, 50, dialog_driver::PressPending);
}
