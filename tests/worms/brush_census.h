// Counts the brushes this program creates and deletes, by routing its own
// imports of CreateBrushIndirect and DeleteObject through counters. The
// system offers no handle count under wine (GetGuiResources is a stub).
#pragma once

#include <windows.h>

#include <cstddef>

class BrushCensus {
public:
    BrushCensus();   // starts counting
    ~BrushCensus();  // puts the imports back
    BrushCensus(const BrushCensus&) = delete;
    BrushCensus& operator=(const BrushCensus&) = delete;

    bool Hooked() const { return hooked_; }
    size_t Created() const;
    // Deleted successfully, among those created while counting.
    size_t Deleted() const;
    // Created while counting and not deleted yet.
    size_t Alive() const;

private:
    bool hooked_ = false;
};
