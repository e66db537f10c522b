#include "orbel_settings.h"

#include "saver_hooks.h"

namespace {
OrbelSettings Settings;
}

OrbelSettings::OrbelSettings()
    : SettingsKey("Software\\Zamvel\\Orbel"),
      ScreenWidth(GetSystemMetrics(SM_CXSCREEN)),
      ScreenHeight(GetSystemMetrics(SM_CYSCREEN))
{
}

void OrbelSettings::LoadSettings()
{
    EraseBackground = 1;
    TimerInterval = 50;
    Count = ValidCount(ReadDword("Count", DefaultCount));
    PointSize = 2;
    Points = nullptr;
}

bool OrbelSettings::SaveSettings()
{
    WriteDword("Count", static_cast<uint32_t>(Count));
    return true;
}

OrbelSettings& Orbel() { return Settings; }

SettingsKey& ProgramSettings() { return Settings; }
