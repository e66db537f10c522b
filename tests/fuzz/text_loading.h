// What the two text savers' fuzz targets share: a stored string list loaded
// from any bytes as the "List" values are loaded (in a code page of two-byte
// characters or not), the run settings read with it, and the checks on a
// run's copy of the list. Each target then builds and moves its saver's
// entries.
//
// Input, little-endian (an input that ends early reads as zeros):
//   u8  flags: 1 = Shift-JIS lead bytes (code page 932), else none;
//              2 = the builders get the stored Speed unclamped
//   i32 Speed, i32 FontSize, as stored
//   u16 screen width, u16 screen height; u16 window width, u16 window height
//   u16 the widest glyph's width (up to 8 x the font size)
//   u8  ticks (up to MaxTicks)
//   u32 n | lasting << 8: memory request n of the input (from the loading
//       on; 0: none) is refused, and every later one too when lasting
//   u32 the generator's seed
//   then up to MaxValues "List" values, each:
//   u16 buffer capacity (up to 2 x TextBufferSize), u32 data count,
//   then the data: min(count, capacity) bytes; the rest of the buffer is a
//   marker byte
#pragma once

#include <cstring>
#include <memory>
#include <vector>

#include "failure_points.h"
#include "fuzz_input.h"
#include "random.h"
#include "saver_table.h"
#include "text_list.h"
#include "text_rules.h"
#include "text_schema.h"

constexpr int MaxValues = 8;
constexpr int MaxTicks = 64;
constexpr uint32_t MaxCapacity = 2 * TextBufferSize;

// Shift-JIS lead bytes, as the system reports them under code page 932.
inline bool ShiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The memory request the input refuses, through the failure plan.
struct MemoryRefusal {
    int32_t Nth = 0;
    bool Lasting = false;
};
inline MemoryRefusal Refusal;

// Whether a request was refused after the first requestsBefore of the input.
inline bool RefusedSince(int32_t requestsBefore)
{
    const int32_t now = FailurePointRequests(FailurePoint::Memory);
    return Refusal.Nth > 0 && now >= Refusal.Nth && (requestsBefore < Refusal.Nth || Refusal.Lasting);
}

// The text of the data as UTF-16 units: one unit per character, a two-byte
// character's unit made of both bytes (the conversion itself is Windows').
inline std::vector<TextChar> Units(const char* text, int32_t length, IsLeadByteFn isLead)
{
    std::vector<TextChar> units;
    for (int32_t at = 0; at < length;) {
        const unsigned char b = static_cast<unsigned char>(text[at]);
        if (isLead && isLead(b) && at + 1 < length) {
            units.push_back(static_cast<TextChar>(b << 8 | static_cast<unsigned char>(text[at + 1])));
            at += 2;
        } else {
            units.push_back(static_cast<TextChar>(b));
            at += 1;
        }
    }
    return units;
}

// One "List" value loaded as the settings load it: the data in a buffer of
// its capacity (exactly that large, so a byte past it is a sanitizer
// finding), cut to its text and terminated, then appended when not empty.
inline void LoadValue(FuzzInput& in, TextList& list, IsLeadByteFn isLead, int32_t speed)
{
    const uint32_t capacity = in.U16() % (MaxCapacity + 1);
    const uint32_t count = in.U32();
    std::unique_ptr<char[]> buffer(new char[capacity == 0 ? 1 : capacity]);
    std::memset(buffer.get(), 0x7F, capacity);
    const size_t filled = in.Bytes(reinterpret_cast<uint8_t*>(buffer.get()), count < capacity ? count : capacity);

    const int32_t length = ListTextLength(buffer.get(), count, capacity, isLead);
    FUZZ_CHECK(length >= 0 && static_cast<uint32_t>(length) <= count);
    if (capacity == 0) {
        FUZZ_CHECK(length == 0);
        return;
    }
    FUZZ_CHECK(static_cast<uint32_t>(length) < capacity);
    buffer[length] = '\0';

    // Whole characters of what the buffer holds, for any limit.
    const int32_t limit = static_cast<int32_t>(count);
    const int32_t whole = WholeCharacterPrefix(buffer.get(), static_cast<int32_t>(filled), limit, isLead);
    FUZZ_CHECK(whole >= 0 && whole <= static_cast<int32_t>(filled) && (limit < 0 ? whole == 0 : whole <= limit));

    const std::vector<TextChar> units = Units(buffer.get(), length, isLead);
    const int32_t n = static_cast<int32_t>(units.size());
    TextChar* text = list.AllocateText(n);
    if (text) {
        if (n > 0) std::memcpy(text, units.data(), units.size() * sizeof(TextChar));
        text[n] = 0;
    }
    // Append takes the text in every case.
    const bool added = list.Append(text, n, speed, NoEntryState);
    if (n == 0) FUZZ_CHECK(!added);
}

// The list's links hold every entry once, in order, whole and terminated;
// a run's entries each have their state. Returns how many there are.
inline int32_t CheckList(const TextList& list, bool withState)
{
    int32_t count = 0;
    const TextEntry* last = nullptr;
    for (const TextEntry* e = list.Head.get(); e; e = e->Next.get()) {
        FUZZ_CHECK(e->Text && e->Length >= 1 && e->Text[e->Length] == 0);
        FUZZ_CHECK(withState ? e->State != nullptr : e->State == nullptr);
        last = e;
        ++count;
    }
    FUZZ_CHECK(list.Tail == last);
    return count;
}

// A run's copies are the stored texts in their order; a text is left out
// only when an allocation for it failed.
inline void CheckCopies(const TextList& stored, const TextList& run, bool anyFailed)
{
    CheckList(run, true);
    const TextEntry* s = stored.Head.get();
    int32_t left = 0;
    for (const TextEntry* r = run.Head.get(); r; r = r->Next.get()) {
        while (s && !(s->Length == r->Length &&
                      std::memcmp(s->Text.get(), r->Text.get(), s->Length * sizeof(TextChar)) == 0)) {
            s = s->Next.get();
            ++left;
        }
        FUZZ_CHECK(s != nullptr);
        s = s->Next.get();
    }
    for (; s; s = s->Next.get()) ++left;
    if (!anyFailed) FUZZ_CHECK(left == 0);
}

// What a run takes besides the list.
struct RunSettings {
    int32_t Speed;     // the stored one brought into range, or as stored
    int32_t FontSize;  // brought into range
    int32_t ScreenWidth, ScreenHeight;
    int32_t WindowWidth, WindowHeight;
    int32_t Widest;  // the widest glyph's width in the run's font
    int32_t Ticks;
};

// A glyph's width: any width up to the widest, chosen by the character so
// that texts differ.
inline int32_t GlyphWidth(TextChar c, const RunSettings& r)
{
    return static_cast<int32_t>((c * 2654435761u >> 7) % (static_cast<uint32_t>(r.Widest) + 1));
}

// Reads the settings and loads the stored list, with the memory refusal
// planned and the generator seeded; the settings as the saver's table
// bounds them.
inline RunSettings LoadStoredList(FuzzInput& in, const SaverTable& table, TextList& stored)
{
    const uint8_t flags = in.U8();
    const IsLeadByteFn isLead = flags & 1 ? ShiftJisLead : nullptr;
    const int32_t storedSpeed = in.I32();
    const int32_t storedFontSize = in.I32();

    RunSettings r{};
    // Loading brings Speed into range; the builders promise sound entries
    // at any speed, so some inputs hand them the stored one.
    const int32_t speed = BoundedValue(table.Settings[TextSpeed], storedSpeed);
    FUZZ_CHECK(speed >= MinSpeed && speed <= MaxSpeed);
    r.Speed = flags & 2 ? storedSpeed : speed;
    r.FontSize = BoundedValue(table.Settings[TextFontSize], storedFontSize);
    FUZZ_CHECK(r.FontSize >= MinFontSize && r.FontSize <= MaxFontSize);
    r.ScreenWidth = in.U16();
    r.ScreenHeight = in.U16();
    r.WindowWidth = in.U16();
    r.WindowHeight = in.U16();
    r.Widest = in.U16() % (8 * r.FontSize + 1);
    r.Ticks = in.U8() % (MaxTicks + 1);
    const uint32_t refusal = in.U32();
    Refusal = MemoryRefusal{static_cast<int32_t>(refusal & 0xFF), (refusal >> 8 & 1) != 0};
    PlanFailure(FailurePoint::Memory, Refusal.Nth, Refusal.Lasting);
    SeedRandom(in.U32());

    for (int v = 0; v < MaxValues && !in.Empty(); ++v) LoadValue(in, stored, isLead, speed);
    FUZZ_CHECK(CheckList(stored, false) == stored.EntryCount);
    return r;
}
