// The four savers as the page runs them: their settings described for the
// panel, their values set from the page, and a run started, drawn and ended.
//
// FOR NOW: web_savers.cpp is the one file that names each saver, and the
// settings schemas in it are written by hand. The generic adapter over
// the savers' tables in the core replaces it whole; the page only uses
// what this header declares.
#pragma once

#include <cstdint>

#include "canvas.h"
#include "text_list.h"

constexpr int32_t WebSaverCount = 4;

// The saver's settings schema as JSON: its name, title, whether it draws over a
// picture, and its settings in the shape of the core's schema (stored name,
// option name, kind, default, bounds, policy, message, labels).
const char* WebSaverSchema(int32_t saver);

// The value of setting `setting` (its place in the schema) as the run
// uses it; a number is brought into bounds as a stored value would be.
// False for a saver, setting or kind that does not fit.
bool WebSetNumber(int32_t saver, int32_t setting, int32_t value);
bool WebSetText(int32_t saver, int32_t setting, const char* utf8);

// Adds code-page-932 bytes (the text savers' built-in strings) to a list
// as a new entry; false when it cannot. The platform decodes.
using AddCp932Fn = bool (*)(TextList& list, const char* bytes, int32_t speed, const EntryHooks& hooks);

// The window a run draws in, in device pixels, and the seed: the text
// savers take it (the clock's or the page's); the others are seeded with it
// only when the page gives one.
struct WebView {
    int32_t Width, Height;
    uint32_t Seed;
    bool SeedGiven;
    AddCp932Fn AddBuiltIn;
};

// One run in one canvas; its destructor frees what the run built.
class WebRun {
public:
    WebRun() = default;
    virtual ~WebRun() = default;
    WebRun(const WebRun&) = delete;
    WebRun& operator=(const WebRun&) = delete;
    virtual void Draw(Canvas& canvas) = 0;
};

// A run of the saver for the view, started from the generator's first
// state as a new program would be; null when it cannot be (no memory).
WebRun* WebStart(int32_t saver, Canvas& canvas, const WebView& view);
