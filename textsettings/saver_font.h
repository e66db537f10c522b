// The face the text savers ask the canvas for.
#pragma once

#include <windows.h>

// The stored face name as UTF-16: an ANSI text of the system's code page,
// except the built-in default, which is code page 932 bytes and so names
// the same face whatever the system's code page.
void FaceNameToWide(const char* faceName, wchar_t (&out)[LF_FACESIZE]);
