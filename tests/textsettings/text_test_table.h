// A text saver's table for the settings' tests: the text savers' schema
// under a program name of the test's own, so its key is the test's.
#pragma once

#include "saver_table.h"
#include "text_schema.h"

inline constexpr SettingChoice TestSpeeds[SpeedCount] = {};
inline constexpr TextSchema TestTextSchema = MakeTextSchema(48, TestSpeeds, {}, {});

constexpr SaverTable TextTestTable(const char* name)
{
    return {name,    {},      false,   false,   50,      TestTextSchema.data(), TextSettingCount,
            nullptr, nullptr, nullptr, nullptr, nullptr};
}
