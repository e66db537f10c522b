// A small saver whose hooks record what the shell does and act as each test
// tells them, so the shell can be run in-process under wine.
#pragma once

#include "saver_hooks.h"
#include "settings_key.h"

#include <functional>
#include <vector>

class TestSettings : public SettingsKey {
public:
    TestSettings();
    void LoadSettings() override;
    bool SaveSettings() override;

    // Set by tests before a run; LoadSettings copies them into the shell
    // fields, as a saver's LoadSettings does.
    int32_t WantEraseBackground = 1;
    uint32_t WantTimerInterval = 10;
    // What the hooks answer and do.
    bool InstanceResult = true;  // false: NewInstance finds no memory
    bool PrepareResult = true;
    bool AllowClose = true;
    // With the window and the frame number of its own instance.
    std::function<void(HWND, HDC, int)> OnFrame;
    std::function<void(HWND)> OnCreated;
    // What the hooks saw, over every instance of a run.
    int Loads = 0, Saves = 0, Prepares = 0, Creates = 0, Frames = 0, CloseQueries = 0, Deletes = 0;
    int FramesAfterClose = 0;  // drawn by an instance whose close was allowed
    int Dialogs = 0;
    HWND DialogOwner = nullptr;
    std::vector<SaverView> Views;  // each instance's, in the order they were made
    std::vector<HWND> Windows;     // as OnCreate saw them

    // Registry values the test saver keeps, for the store's tests.
    int32_t Number = 0;
    char Text[32] = "";
};

extern TestSettings TheTestSettings;
extern const SaverHooks TestSaver;

// Back to a fresh object (as at static initialisation), with the test
// key path the store uses.
void ResetTestSaver();

extern const char TestKeyPath[];
