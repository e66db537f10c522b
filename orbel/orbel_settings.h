// Orbel's one settings object: the number of mass points. What a run builds
// lives in its saver instance (orbel_saver.h).
#pragma once

#include "orbel_sim.h"
#include "settings_key.h"

#include <windows.h>

#include <cstdint>

class OrbelSettings final : public SettingsKey {
public:
    OrbelSettings();

    // EraseBackground 1, TimerInterval 50, "Count" (default 300) brought
    // into 1..MaxCount.
    void LoadSettings() override;
    // "Count" as it stands, as typed in the dialog.
    bool SaveSettings() override;

    int32_t Count = 0;
};

// The program's one settings object.
OrbelSettings& Orbel();

// The "Setting" dialog's procedure (resource IDD_SETTING).
INT_PTR CALLBACK OrbelDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
