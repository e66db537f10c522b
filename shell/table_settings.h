// A program's one settings object on Windows, made from its table's schema:
// the registry form of every kind of setting (a number, choice or flag as a
// REG_DWORD, a face as a REG_SZ of the ANSI code page, strings as a
// sub-key), loaded once per process and saved by the settings dialog.
#pragma once

#include <windows.h>

#include <cstdint>

#include "saver_table.h"
#include "settings_key.h"

class TableSettings final : public SettingsKey {
public:
    explicit TableSettings(const SaverTable& table);

    // The shell's values the table sets (erasing, the tick), then every
    // setting in schema order, each number brought into its bounds unless
    // it is kept as stored.
    void LoadSettings() override;
    // Every setting in schema order. When any write fails, what the key held
    // is written back and the result is false.
    bool SaveSettings() override;

    // A dialog's edits saved: numbers and (with withStrings) the strings of
    // edits take the place of Values', face (when not null) the stored
    // face's. True when they are saved; otherwise the stored values and
    // Values are as they were. Either way edits is left with the values not
    // in use.
    bool SaveEdits(SettingValues& edits, const char* face, bool withStrings);

    // The stored face, as the registry holds it, and Values.Face made from it.
    void SetFace(const char* face);

    const SaverTable& Table;
    SettingValues Values;
    // The Face setting as stored: ANSI text of at most 31 bytes.
    char FaceName[32] = "";

private:
    // The strings to write back when a save fails (SaveEdits), or null.
    const TextList* OldStrings = nullptr;
};
