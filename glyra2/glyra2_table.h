// Glyra2, declared once for every platform (saver_table.h). Its settings are
// the text savers' (text_schema.h).
#pragma once

#include "saver_table.h"
#include "text_schema.h"

extern const SaverTable Glyra2Table;
