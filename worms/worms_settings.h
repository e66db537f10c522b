// Worms' one settings object: the three settings and the shell's values it
// sets. What a run builds lives in its saver instance (worms_saver.h).
#pragma once

#include "settings_key.h"
#include "worms_values.h"

#include <windows.h>

#include <cstdint>

class WormsSettings final : public SettingsKey {
public:
    WormsSettings();

    // Sets the shell's fields for Worms, then reads "Type", "WormsCnt" and
    // "WormsLen" in that order and replaces values out of range.
    void LoadSettings() override;
    // Writes the three values in the same order; always true.
    bool SaveSettings() override;

    int32_t Type = DefaultType;
    int32_t WormsCnt = DefaultWormsCnt;
    int32_t WormsLen = DefaultWormsLen;
};

// The program's one settings object.
WormsSettings& TheWormsSettings();
