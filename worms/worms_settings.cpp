#include "worms_settings.h"

namespace {
// The one settings object, built before the entry function runs.
WormsSettings Settings;
}

WormsSettings& TheWormsSettings() { return Settings; }

WormsSettings::WormsSettings() : SettingsKey("Software\\Zamvel\\Worms") {}

void WormsSettings::LoadSettings()
{
    // The worms crawl over the screen as it was: nothing is erased.
    EraseBackground = 0;
    TimerInterval = 50;
    Type = ValidType(ReadDword("Type", DefaultType));
    WormsCnt = ValidWormsCnt(ReadDword("WormsCnt", DefaultWormsCnt));
    WormsLen = ValidWormsLen(ReadDword("WormsLen", DefaultWormsLen));
}

bool WormsSettings::SaveSettings()
{
    // Each value is written whatever became of the others.
    bool saved = WriteDword("Type", static_cast<uint32_t>(Type));
    saved = WriteDword("WormsCnt", static_cast<uint32_t>(WormsCnt)) && saved;
    return WriteDword("WormsLen", static_cast<uint32_t>(WormsLen)) && saved;
}
