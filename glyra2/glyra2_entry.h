// Glyra2's state of one string, its FlightPath: the path ring of its leading
// character, its heading and colour, and the arithmetic of one tick. No
// platform header: the erase and draw passes (glyra2_run.cpp) read the slots
// through SlotBehind.
#pragma once

#include <cstdint>
#include <memory>

#include "glyra2_space.h"
#include "text_list.h"

struct FlightPath : EntryState {
    int32_t Spacing = 0;   // Speed when the entry was built: ticks between characters
    int32_t LastSlot = 0;  // Length * (Spacing + 1); the ring has LastSlot + 1 slots
    // The six arrays below in one block.
    std::unique_ptr<int32_t[]> Rings;
    int32_t* PathX = nullptr;  // the leading character's position per slot
    int32_t* PathY = nullptr;
    int32_t* PathZ = nullptr;  // 0..FarDepth
    int32_t MaxExtent = 0;     // largest glyph diagonal in the full-size font
    int32_t* ScreenX = nullptr;  // where a character drawn for the slot is placed
    int32_t* ScreenY = nullptr;
    int32_t* FontIndex = nullptr;  // FontTable index for the slot
    int32_t Azimuth = 0;       // degrees in the screen plane, 0 = +x, 90 = down
    int32_t Inclination = 0;   // degrees from +z (away from the viewer)
    uint8_t Red = 0, Green = 0, Blue = 0;
    int32_t HeadSlot = 0;  // the slot the next tick writes
    int32_t PrevSlot = 0;  // the slot the last tick wrote
};

// The flight of a new entry: the ring (allocated, contents set by
// StartEntry) and the random heading and bright colour, drawn in this order.
bool BuildFlightPath(TextEntry& entry, int32_t speed);
constexpr EntryHooks FlightHooks = {BuildFlightPath};

// The flight of an entry that has one.
inline FlightPath& PathOf(TextEntry& entry) { return static_cast<FlightPath&>(*entry.State); }
inline const FlightPath& PathOf(const TextEntry& entry) { return static_cast<const FlightPath&>(*entry.State); }

// Every slot at the far centre, in the font of the far depth.
void StartEntry(FlightPath& s, int32_t fontSize, const Glyra2Space& space);

// Tick steps up to the side wrap: turn, damping, wrap of the angles, step
// from the slot's old depth, move from the previous slot, depth bounce,
// side wrap. Writes the path of HeadSlot; returns the step length.
int32_t MoveLeader(FlightPath& s, const Glyra2Space& space);
// Screen position and font index of HeadSlot's new point.
void ProjectSlot(FlightPath& s, int32_t step, int32_t fontSize, const Glyra2Space& space);
// PrevSlot = HeadSlot; HeadSlot moves on, wrapping after LastSlot.
void AdvanceRing(FlightPath& s);

// The slot drawn for the next character: Spacing slots further back.
int32_t SlotBehind(const FlightPath& s, int32_t slot);
// A slot's font index clamped into 0..fontSize - 1 and stored back.
int32_t ClampedFontIndex(FlightPath& s, int32_t slot, int32_t fontSize);
