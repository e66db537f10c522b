// Orbel, declared once for every platform (saver_table.h).
#pragma once

#include "saver_table.h"

// Its settings, at their place in the schema.
enum OrbelSetting : int32_t { OrbelCount, OrbelSettingCount };

extern const SaverTable OrbelTable;
