// Helpers for the test programs that run under wine64: a memory canvas whose
// pixels can be read back, a registry key cleared around a test, and a catcher
// for message boxes that would otherwise wait for a user.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

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

// Deletes HKEY_CURRENT_USER\<path> with everything below it.
void DeleteRegistryTree(const char* path);

// Catches every message box the thread shows while it lives: records its
// caption and text and closes it with IDOK, so nothing waits for a person.
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
