// The text savers' ordered string list, platform-free: every entry is UTF-16
// text that is already converted. The list owns its entries, each entry its
// text and its saver's state; all of it comes through the failure plan
// (NewOrNull) and goes with the list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

#include "text_char.h"

// The base of each saver's own animation state of an entry: Glyra2's
// FlightPath, Glyra's CrawlTrail. The stored settings' entries have none.
struct EntryState {
    virtual ~EntryState() = default;
};

struct TextEntry {
    std::unique_ptr<TextChar[]> Text;  // Length units and a terminating zero
    int32_t Length = 0;                // at least 1
    std::unique_ptr<EntryState> State;
    std::unique_ptr<TextEntry> Next;
};

// How a saver builds the state of an entry. Build may draw random numbers;
// it returns false (keeping nothing) when memory runs out. The stored
// settings' list uses NoEntryState: texts alone.
struct EntryHooks {
    bool (*Build)(TextEntry& entry, int32_t speed);
};
constexpr EntryHooks NoEntryState = {nullptr};

class TextList {
public:
    // Number of entries appended since the list was made or Reset;
    // Release leaves it.
    int32_t EntryCount = 0;
    std::unique_ptr<TextEntry> Head;
    TextEntry* Tail = nullptr;

    TextList() = default;
    ~TextList() { Release(); }
    TextList(TextList&& other) noexcept { *this = std::move(other); }
    TextList& operator=(TextList&& other) noexcept;
    TextList(const TextList&) = delete;
    TextList& operator=(const TextList&) = delete;

    // Frees every entry and counts from 0 again.
    void Reset();

    // Appends text (length units from AllocateText, zero-terminated) as a
    // new last entry and builds its saver state. The list takes the text in
    // every case: on failure (empty text, no memory) it frees it and the
    // list is unchanged.
    bool Append(TextChar* text, int32_t length, int32_t speed, const EntryHooks& hooks);
    // Appends a copy of a zero-terminated UTF-16 text, as Append does.
    bool AppendCopy(const char16_t* text, int32_t speed, const EntryHooks& hooks);

    // Appends a copy of every text of from, in order, each with its state
    // built; a text that cannot be copied (no memory) is left out.
    void AppendCopies(const TextList& from, int32_t speed, const EntryHooks& hooks);

    // Frees every entry with its text and state; Head = Tail = null.
    void Release();

    // length + 1 units for a text to Append; null when memory runs out.
    TextChar* AllocateText(int32_t length);
};
