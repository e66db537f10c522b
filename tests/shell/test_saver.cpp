#include "test_saver.h"

#include "saver_hooks.h"

const char TestKeyPath[] = "Software\\Zamvel\\ShellTest";
const SaverProgram ThisProgram = {"ShellTest", true};
TestSettings TheTestSettings;

SettingsKey& ProgramSettings() { return TheTestSettings; }

TestSettings::TestSettings() : SettingsKey(TestKeyPath) {}

void TestSettings::LoadSettings()
{
    ++Loads;
    EraseBackground = WantEraseBackground;
    TimerInterval = WantTimerInterval;
    Number = ReadDword("Number", 7);
    ReadString("Text", Text, sizeof Text, "default");
}

bool TestSettings::SaveSettings()
{
    ++Saves;
    WriteDword("Number", static_cast<uint32_t>(Number));
    WriteString("Text", Text);
    return true;
}

void ResetTestSaver()
{
    TestSettings& s = TheTestSettings;
    s.KeyHandle = nullptr;
    s.KeepSnapshot = 0;
    s.DesktopSnapshot = nullptr;
    s.SavedBitmap = nullptr;
    s.EraseBackground = 0;
    s.WindowWidth = s.WindowHeight = 0;
    s.ParentWindow = nullptr;
    s.TimerInterval = 10;
    s.WantEraseBackground = 1;
    s.WantTimerInterval = 10;
    s.PrepareResult = true;
    s.AllowClose = true;
    s.OnFrame = nullptr;
    s.OnCreated = nullptr;
    s.Loads = s.Saves = s.Prepares = s.Creates = s.Frames = s.CloseQueries = s.Releases = 0;
    s.Dialogs = 0;
    s.DialogOwner = nullptr;
    s.Window = nullptr;
}

INT_PTR RunSettingsDialog(HINSTANCE)
{
    ++TheTestSettings.Dialogs;
    TheTestSettings.DialogOwner = TheTestSettings.ParentWindow;
    return 0;
}

bool Prepare()
{
    ++TheTestSettings.Prepares;
    return TheTestSettings.PrepareResult;
}

void OnCreate(HWND window)
{
    ++TheTestSettings.Creates;
    TheTestSettings.Window = window;
    if (TheTestSettings.OnCreated) TheTestSettings.OnCreated(window);
}

void DrawFrame(HWND window, HDC dc)
{
    const int frame = TheTestSettings.Frames++;
    if (TheTestSettings.OnFrame) TheTestSettings.OnFrame(window, dc, frame);
}

bool QueryClose(HWND)
{
    ++TheTestSettings.CloseQueries;
    return TheTestSettings.AllowClose;
}

void Release() { ++TheTestSettings.Releases; }
