// Helpers for the test programs that run under wine: a memory canvas whose
// pixels can be read back, a catcher for message boxes that would otherwise
// wait for a user, and a guard for tests that need one ANSI code page. The
// registry helpers come along.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "registry_support.h"

// A 32-bit top-down DIB section selected into a memory DC.
class MemoryCanvas {
public:
    MemoryCanvas(int width, int height);
    ~MemoryCanvas();
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC Dc() const { return dc_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // 0x00RRGGBB of a pixel (GdiFlush'ed first).
    uint32_t Pixel(int x, int y) const;
    void Fill(uint32_t rgb);
    // The whole picture, row by row, 0x00RRGGBB.
    std::vector<uint32_t> Pixels() const;

private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ saved_ = nullptr;
    uint32_t* bits_ = nullptr;
};

// Lit (non-black) pixels.
size_t Lit(const std::vector<uint32_t>& pixels);

// 0x00RRGGBB of a canvas pixel as the 0x00BBGGRR of a COLORREF.
uint32_t AsColorref(uint32_t rgb);

// Font smoothing switched on for a test's length, so that a glyph's edges
// would blend if the saver's font allowed it.
class SmoothingOn {
public:
    SmoothingOn();
    ~SmoothingOn();
    SmoothingOn(const SmoothingOn&) = delete;
    SmoothingOn& operator=(const SmoothingOn&) = delete;

private:
    BOOL was_ = FALSE;
    UINT type_ = 0;
};

// Catches every message box the thread shows while it lives: records its
// caption and text (as UTF-8, read through the wide interface, so a text
// that the ANSI code page would spoil shows spoilt) and closes it with IDOK,
// so nothing waits for a person.
class MessageBoxCatcher {
public:
    MessageBoxCatcher();
    ~MessageBoxCatcher();
    MessageBoxCatcher(const MessageBoxCatcher&) = delete;
    MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;

    struct Box {
        std::string Caption;
        std::string Text;
    };
    const std::vector<Box>& Boxes() const;
};

// Runs the thread's message queue until it is empty or ms have passed.
void PumpMessages(DWORD ms);

// Skips a test that needs another ANSI code page; the ctest run that sets
// ZAMVEL_EXPECT_ACP to that page must get it, so there it fails instead.
#define REQUIRE_ANSI_CODE_PAGE(cp)                                                                       \
    do {                                                                                                 \
        if (GetACP() != (cp)) {                                                                          \
            if (std::getenv("ZAMVEL_EXPECT_ACP") && std::atoi(std::getenv("ZAMVEL_EXPECT_ACP")) == (cp)) \
                FAIL() << "ANSI code page " << GetACP() << ", expected " << (cp);                        \
            GTEST_SKIP() << "needs ANSI code page " << (cp);                                             \
        }                                                                                                \
    } while (0)
