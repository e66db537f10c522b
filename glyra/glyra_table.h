// Glyra, declared once for every platform (saver_table.h). Its settings are
// the text savers' (text_schema.h).
#pragma once

#include "saver_table.h"
#include "text_schema.h"

extern const SaverTable GlyraTable;

// Said when the run's font cannot be made (the run draws in the canvas's own).
extern const UiText FontMissingText;
