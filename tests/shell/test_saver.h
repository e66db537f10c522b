// A small saver whose hooks record what the shell does and act as each test
// tells them, so the shell can be run in-process under wine.
#pragma once

#include "settings_key.h"

#include <functional>

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
    bool PrepareResult = true;
    bool AllowClose = true;
    std::function<void(HWND, HDC, int)> OnFrame;  // with the frame number
    std::function<void(HWND)> OnCreated;
    // What the hooks saw.
    int Loads = 0, Saves = 0, Prepares = 0, Creates = 0, Frames = 0, CloseQueries = 0, Releases = 0;
    int Dialogs = 0;
    HWND DialogOwner = nullptr;
    HWND Window = nullptr;

    // Registry values the test saver keeps, for the store's tests.
    int32_t Number = 0;
    char Text[32] = "";
};

extern TestSettings TheTestSettings;

// Back to a fresh object (as at static initialisation), with the test
// key path the store uses.
void ResetTestSaver();

extern const char TestKeyPath[];
