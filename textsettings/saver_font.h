// The one kind of font both text savers draw with.
#pragma once

#include <windows.h>

#include <cstdint>

// A font of the settings' face, cell height, weight and slant, unsmoothed:
// smoothed edges blend with what lies below, so drawing a glyph again in
// black would leave a faint rim of it. Null when it cannot be made.
HFONT CreateSaverFont(int32_t height, int32_t bold, int32_t italic, const char* faceName);

// The stored face name as UTF-16: an ANSI text of the system's code page,
// except the built-in default, which is code page 932 bytes and so names
// the same face whatever the system's code page.
void FaceNameToWide(const char* faceName, wchar_t (&out)[LF_FACESIZE]);
