#include "test_saver.h"

#include <new>

const char TestKeyPath[] = "Software\\Zamvel\\ShellTest";
TestSettings TheTestSettings;

namespace {

class TestInstance final : public SaverInstance {
public:
    using SaverInstance::SaverInstance;
    ~TestInstance() override { ++TheTestSettings.Deletes; }
    int Frames = 0;
    bool Closed = false;
};

TestInstance& Run(SaverInstance& instance) { return static_cast<TestInstance&>(instance); }

SettingsKey& Settings() { return TheTestSettings; }

INT_PTR RunSettingsDialog(HINSTANCE)
{
    ++TheTestSettings.Dialogs;
    TheTestSettings.DialogOwner = TheTestSettings.ParentWindow;
    return 0;
}

SaverInstance* NewInstance(const SaverView& view)
{
    TheTestSettings.Views.push_back(view);
    if (!TheTestSettings.InstanceResult) return nullptr;
    return new (std::nothrow) TestInstance(view);
}

bool Prepare(SaverInstance&)
{
    ++TheTestSettings.Prepares;
    return TheTestSettings.PrepareResult;
}

void OnCreate(SaverInstance&, HWND window)
{
    ++TheTestSettings.Creates;
    TheTestSettings.Windows.push_back(window);
    if (TheTestSettings.OnCreated) TheTestSettings.OnCreated(window);
}

void DrawFrame(SaverInstance& instance, HWND window, HDC dc)
{
    ++TheTestSettings.Frames;
    if (Run(instance).Closed) ++TheTestSettings.FramesAfterClose;
    const int frame = Run(instance).Frames++;
    if (TheTestSettings.OnFrame) TheTestSettings.OnFrame(window, dc, frame);
}

bool QueryClose(SaverInstance& instance, HWND)
{
    ++TheTestSettings.CloseQueries;
    Run(instance).Closed = TheTestSettings.AllowClose;
    return TheTestSettings.AllowClose;
}

} // namespace

const SaverHooks TestSaver = {
    "ShellTest", true, Settings, RunSettingsDialog, NewInstance, Prepare, OnCreate, DrawFrame, QueryClose,
};

TestSettings::TestSettings() : SettingsKey("ShellTest") {}

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
    s.EraseBackground = 0;
    s.ParentWindow = nullptr;
    s.TimerInterval = 10;
    s.WantEraseBackground = 1;
    s.WantTimerInterval = 10;
    s.InstanceResult = true;
    s.PrepareResult = true;
    s.AllowClose = true;
    s.OnFrame = nullptr;
    s.OnCreated = nullptr;
    s.Loads = s.Saves = s.Prepares = s.Creates = s.Frames = s.CloseQueries = s.Deletes = 0;
    s.FramesAfterClose = 0;
    s.Dialogs = 0;
    s.DialogOwner = nullptr;
    s.Views.clear();
    s.Windows.clear();
}
