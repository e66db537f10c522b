// Which of Glyra's built-in strings a run shows: each one whose fresh
// RandomInt(100) falls below its bound, in table order, pass after pass
// until at least one is in.
#pragma once

// Adds built-in string `index` of GlyraDefaultTexts; false when it could
// not be added (memory ran out).
using AddDefaultFn = bool (*)(int index, void* context);

// True once a pass added a string. A pass that added nothing because an add
// failed ends the drawing with false rather than trying for ever.
bool AddDefaultTexts(AddDefaultFn add, void* context);
