#include "web_tables.h"

#include <cstring>

#include "glyra2_table.h"
#include "glyra_table.h"
#include "orbel_table.h"
#include "random.h"
#include "text_codec.h"
#include "text_rules.h"
#include "worms_table.h"

namespace {

// In the chooser's order.
const SaverTable* const Tables[WebSaverCount] = {&Glyra2Table, &GlyraTable, &OrbelTable, &WormsTable};

// The page's settings objects, one per saver, at their defaults until the
// page gives them values.
struct PageSettings {
    SettingValues Values[WebSaverCount];
    PageSettings()
    {
        for (int32_t i = 0; i < WebSaverCount; ++i) DefaultValues(*Tables[i], Values[i], true);
    }
} Settings;

// One text a line, empty lines left out; a line longer than a stored text
// (259 units) is cut, never inside a surrogate pair; a line that is no
// UTF-8 is left out.
void TakeLines(TextList& list, const char* utf8)
{
    list.Reset();
    constexpr int32_t MaxUnits = static_cast<int32_t>(TextBufferSize) - 1;
    TextChar units[4 * TextBufferSize];
    for (const char* line = utf8; *line;) {
        const char* end = std::strchr(line, '\n');
        size_t n = end ? static_cast<size_t>(end - line) : std::strlen(line);
        const char* next = end ? end + 1 : line + n;
        if (n > 0 && line[n - 1] == '\r') --n;
        // Only the start of a long line is decoded, up to a whole character.
        size_t take = n < 4 * MaxUnits ? n : 4 * MaxUnits;
        while (take < n && take > 0 && (static_cast<unsigned char>(line[take]) & 0xC0) == 0x80) --take;
        int32_t length = Utf8ToUtf16(line, take, units, static_cast<int32_t>(sizeof units / sizeof units[0]));
        if (length > MaxUnits) length = units[MaxUnits - 1] >= 0xD800 && units[MaxUnits - 1] <= 0xDBFF ? MaxUnits - 1 : MaxUnits;
        TextChar* copy = length > 0 ? list.AllocateText(length) : nullptr;
        if (copy) {
            std::memcpy(copy, units, sizeof(TextChar) * static_cast<size_t>(length));
            copy[length] = 0;
            list.Append(copy, length, 0, NoEntryState);
        }
        line = next;
    }
}

// A face as the Linux option takes it, 1 to 255 bytes of UTF-8, and on one
// line (the page names it in a CSS font); any other text leaves the face
// the platform draws in by default.
void TakeFace(const SettingSpec& s, SettingValues& values, const char* utf8)
{
    size_t bytes = 0;
    while (utf8[bytes] && static_cast<unsigned char>(utf8[bytes]) >= 0x20) ++bytes;
    const bool fits = bytes > 0 && bytes < MaxFaceUnits && !utf8[bytes];
    int32_t n = fits ? Utf8ToUtf16(utf8, bytes, values.Face, MaxFaceUnits - 1) : -1;
    if (n <= 0)
        for (n = 0; s.PortableFace && s.PortableFace[n] && n < MaxFaceUnits - 1; ++n)
            values.Face[n] = static_cast<TextChar>(s.PortableFace[n]);
    values.Face[n] = 0;
}

} // namespace

const SaverTable* WebTable(int32_t saver) { return saver >= 0 && saver < WebSaverCount ? Tables[saver] : nullptr; }

const SettingValues* WebValues(int32_t saver) { return WebTable(saver) ? &Settings.Values[saver] : nullptr; }

void WebDefaults(int32_t saver)
{
    if (WebTable(saver)) DefaultValues(*Tables[saver], Settings.Values[saver], true);
}

bool WebTake(int32_t saver, int32_t setting, const char* utf8)
{
    const SaverTable* table = WebTable(saver);
    if (!table || setting < 0 || setting >= table->SettingCount || !utf8) return false;
    const SettingSpec& s = table->Settings[setting];
    SettingValues& values = Settings.Values[saver];
    // Out of bounds or no number, a value loads as a stored one would.
    if (IsNumeric(s)) ReadSettingText(s, utf8, values.Numbers[setting]);
    if (s.Kind == SettingKind::Face) TakeFace(s, values, utf8);
    if (s.Kind == SettingKind::Strings) TakeLines(values.Strings, utf8);
    return true;
}

WebRun::WebRun() : startState_(RandomState()) {}

bool WebRun::Start(int32_t saver, Canvas& canvas, int32_t width, int32_t height, uint32_t clock, const uint32_t* seed)
{
    End();
    const SaverTable* table = WebTable(saver);
    if (!table) return false;
    SeedRandom(seed ? *seed : startState_);
    run_ = StartRun(*table, Settings.Values[saver], canvas, WholeWindowView(width, height, seed ? *seed : clock));
    if (run_) table_ = table;
    return run_ != nullptr;
}

void WebRun::Draw(Canvas& canvas)
{
    if (run_) table_->Draw(*run_, canvas);
}

void WebRun::End()
{
    if (run_) table_->End(*run_);
    run_.reset();
    table_ = nullptr;
}
