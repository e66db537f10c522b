// The text savers' ordered string list. Platform-free: the conversion from
// the ANSI code page happens in the Windows part (text_settings.h); here an
// entry is built from UTF-16 text that is already converted.
#pragma once

#include <cstddef>
#include <cstdint>

#include "text_char.h"

// The base of each saver's own animation state of an entry: Glyra2's
// FlightPath, Glyra's CrawlTrail. The stored settings' entries have none.
struct EntryState {};

struct TextEntry {
    TextChar* Text = nullptr;  // Length units and a terminating zero, owned
    int32_t Length = 0;        // at least 1
    EntryState* State = nullptr;  // owned, built and freed by the saver's hooks
    TextEntry* Next = nullptr;
};

using AllocateFn = void* (*)(size_t);

// How a saver builds and frees the state of an entry. Build may draw random
// numbers; it returns false (keeping nothing) when memory runs out. The
// stored settings' list uses NoEntryState: texts alone.
struct EntryHooks {
    bool (*Build)(TextEntry& entry, int32_t speed, AllocateFn allocate);
    void (*Free)(TextEntry& entry);
};
constexpr EntryHooks NoEntryState = {nullptr, nullptr};

class TextList {
public:
    // Number of entries appended since the last Reset; Release leaves it.
    int32_t EntryCount = 0;
    TextEntry* Head = nullptr;
    TextEntry* Tail = nullptr;
    // Every entry, text and state comes from here (memory through the
    // failure plan, failure_points.h) and goes back with free.
    AllocateFn Allocate = nullptr;

    TextList();

    // Forgets the entries without freeing them: only for a list that holds
    // none (Release first).
    void Reset();

    // Appends text (Length units, allocated with Allocate, zero-terminated)
    // as a new last entry and builds its saver state. The list takes the
    // text in every case: on failure (empty text, no memory) it frees it and
    // the list is unchanged.
    bool Append(TextChar* text, int32_t length, int32_t speed, const EntryHooks& hooks);

    // Appends a copy of every text of from, in order, each with its state
    // built; a text that cannot be copied (no memory) is left out.
    void AppendCopies(const TextList& from, int32_t speed, const EntryHooks& hooks);

    // Frees every entry with its text and state; Head = Tail = null.
    void Release(const EntryHooks& hooks);

    // Allocates length + 1 units for a text; null when memory runs out.
    TextChar* AllocateText(int32_t length);
};
