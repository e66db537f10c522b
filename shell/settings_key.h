// The registry key of a program and the base of its one settings object.
// It also carries the shell's run-time state (snapshot, window size, parent
// window, timer interval), which saver_shell.cpp gives meaning to.
#pragma once

#include <windows.h>

#include <cstdint>

class SettingsKey {
public:
    // keyPath is the program's key under HKEY_CURRENT_USER,
    // "Software\\Zamvel\\<program>".
    explicit SettingsKey(const char* keyPath);
    SettingsKey(const SettingsKey&) = delete;
    SettingsKey& operator=(const SettingsKey&) = delete;

    // The saver's own values. LoadSettings runs once per process with the key
    // open (or with KeyHandle null); SaveSettings with the key created.
    virtual void LoadSettings() = 0;
    virtual bool SaveSettings() = 0;

    // Opens the key (never creates it), runs LoadSettings, closes the key.
    void LoadFromRegistry();
    // Creates or opens the key and runs SaveSettings; false when the key
    // cannot be created (SaveSettings then does not run).
    bool SaveToRegistry();

    // The buffer (zero-terminated) when the value was read; otherwise the
    // default, copied cut to the buffer, and the default pointer itself.
    const char* ReadString(const char* name, char* buffer, DWORD size, const char* fallback);
    bool WriteString(const char* name, const char* text);
    int32_t ReadDword(const char* name, int32_t fallback);
    bool WriteDword(const char* name, uint32_t value);
    HKEY CreateSubKey(const char* name);
    void CloseKey(HKEY key);

    HKEY KeyHandle = nullptr;
    int32_t KeepSnapshot = 0;
    HDC DesktopSnapshot = nullptr;
    HGDIOBJ SavedBitmap = nullptr;
    int32_t EraseBackground = 0;
    int32_t WindowWidth = 0;
    int32_t WindowHeight = 0;
    HWND ParentWindow = nullptr;
    uint32_t TimerInterval = 10;

protected:
    ~SettingsKey() = default;

private:
    const char* KeyPath;
};
