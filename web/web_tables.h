// The browser's adapter over the savers' tables (saver_table.h): the page's
// one settings object per saver, each value taken from a text under the
// Linux options' rules (a URL parameter, a stored text, a panel field), and
// a run started, drawn and ended as the Linux frame runs one. Free of the
// browser: the web tests' native reference runs the same.
#pragma once

#include <cstdint>
#include <memory>

#include "saver_table.h"

constexpr int32_t WebSaverCount = 4;

// The saver's table, or null.
const SaverTable* WebTable(int32_t saver);

// The saver's settings object; null for no saver.
const SettingValues* WebValues(int32_t saver);

// Every value of the saver at its default, the face the portable one.
void WebDefaults(int32_t saver);

// Setting `setting` (its place in the schema) from a UTF-8 text in its
// option's form: a number or a choice's word read as ReadSettingText reads
// it, a face of 1 to 255 bytes (any other keeps the portable face), the
// strings one a line. False for no such setting.
bool WebTake(int32_t saver, int32_t setting, const char* utf8);

// The page's one run. Every run starts from the generator's state when the
// page was made, as a new program would; a seed replaces that state and the
// clock the text savers seed from.
class WebRun {
public:
    WebRun();
    ~WebRun() { End(); }
    WebRun(const WebRun&) = delete;
    WebRun& operator=(const WebRun&) = delete;

    // A run of the saver on canvas, width x height pixels, its whole
    // screen; false when it cannot start.
    bool Start(int32_t saver, Canvas& canvas, int32_t width, int32_t height, uint32_t clock, const uint32_t* seed);
    // One tick; nothing without a run.
    void Draw(Canvas& canvas);
    // The run's End, then the run deleted.
    void End();
    // What the run asks the user to hear of, or null.
    const UiText* Notice() const { return run_ ? run_->Notice : nullptr; }

private:
    const uint32_t startState_;
    const SaverTable* table_ = nullptr;
    std::unique_ptr<SaverRun> run_;
};
