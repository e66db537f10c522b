// What a long run watches in its own process: private bytes and live GDI
// objects, read between ticks.
#pragma once

#include <cstdint>

// The process's private bytes: PrivateUsage where the system fills it in.
// Under wine, which leaves it 0, PagefileUsage: the Linux process's resident
// anonymous memory (RssAnon plus swap), which also holds wine's own
// allocations (its font caches, the X connection).
uint64_t PrivateBytes();

// Live GDI objects of the process. GetGuiResources counts them where it
// works; under wine it is a stub that answers 0, so the handle table is
// probed instead: wine takes a handle whose upper 16 bits are zero as the
// object in that slot, so GetObjectType on each of the 65,535 slots finds
// every live object of the process (stock objects, DCs, bitmaps, brushes,
// pens, fonts, regions), whoever made it: the saver, the shell, the harness,
// or user32 and gdi32 on their behalf. Windows, menus and other USER objects
// are no GDI objects and are not counted.
uint32_t LiveGdiObjects();

// Whether LiveGdiObjects sees one brush made and deleted: false where
// neither way of counting works, so that a run cannot pass by counting
// nothing.
bool GdiCountWorks();
