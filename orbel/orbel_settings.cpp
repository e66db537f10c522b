#include "orbel_settings.h"

namespace {
OrbelSettings Settings;
}

OrbelSettings::OrbelSettings() : SettingsKey("Software\\Zamvel\\Orbel") {}

void OrbelSettings::LoadSettings()
{
    EraseBackground = 1;
    TimerInterval = 50;
    Count = ValidCount(ReadDword("Count", DefaultCount));
}

bool OrbelSettings::SaveSettings()
{
    return WriteDword("Count", static_cast<uint32_t>(Count));
}

OrbelSettings& Orbel() { return Settings; }
