#include "glyra_defaults.h"

#include "default_texts.h"
#include "random.h"

bool AddDefaultTexts(AddDefaultFn add, void* context)
{
    for (;;) {
        bool added = false;
        bool failed = false;
        // Every string of a pass takes its draw, whatever came before it.
        for (int i = 0; i < GlyraDefaultTextCount; ++i) {
            if (RandomInt(100) >= GlyraDefaultTexts[i].Bound) continue;
            if (add(i, context))
                added = true;
            else
                failed = true;
        }
        if (added) return true;
        if (failed) return false;
    }
}
