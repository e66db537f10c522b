#include "worms_settings.h"

#include "saver_hooks.h"

const SaverProgram ThisProgram = {"Worms", true};

namespace {
// The one settings object, built before the entry function runs.
WormsSettings Settings;
}

WormsSettings& TheWormsSettings() { return Settings; }

SettingsKey& ProgramSettings() { return Settings; }

WormsSettings::WormsSettings()
    : SettingsKey("Software\\Zamvel\\Worms"),
      ScreenWidth(GetSystemMetrics(SM_CXSCREEN)),
      ScreenHeight(GetSystemMetrics(SM_CYSCREEN))
{
}

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
    WriteDword("Type", static_cast<uint32_t>(Type));
    WriteDword("WormsCnt", static_cast<uint32_t>(WormsCnt));
    WriteDword("WormsLen", static_cast<uint32_t>(WormsLen));
    return true;
}
