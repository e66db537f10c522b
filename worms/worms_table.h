// Worms, declared once for every platform (saver_table.h).
#pragma once

#include "saver_table.h"

// Its settings, at their place in the schema: read and written in this order.
enum WormsSetting : int32_t { WormsType, WormsCount, WormsLength, WormsSettingCount };

extern const SaverTable WormsTable;
