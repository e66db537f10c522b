// Orbel's one settings object: the shell's state, the number of mass points
// and, while the saver runs, the points themselves.
#pragma once

#include "orbel_sim.h"
#include "settings_key.h"

#include <windows.h>

#include <cstdint>

class OrbelSettings final : public SettingsKey {
public:
    OrbelSettings();

    // EraseBackground 1, TimerInterval 50, "Count" (default 300) brought
    // into 1..MaxCount, PointSize 2, no points yet.
    void LoadSettings() override;
    // "Count" as it stands, as typed in the dialog.
    bool SaveSettings() override;

    // The full screen, recorded once at construction; the drawing is in
    // these units in Preview too.
    int32_t ScreenWidth;
    int32_t ScreenHeight;
    int32_t Count = 0;
    MassPoint* Points = nullptr;  // built by OnCreate, freed by QueryClose
    int32_t PointSize = 0;
};

// The program's one instance (ProgramSettings() is the same object).
OrbelSettings& Orbel();

// The "Setting" dialog's procedure (resource IDD_SETTING).
INT_PTR CALLBACK OrbelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
