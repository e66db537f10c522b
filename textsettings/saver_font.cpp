#include "saver_font.h"

#include <cstring>

#include "default_texts.h"

void FaceNameToWide(const char* faceName, wchar_t (&out)[LF_FACESIZE])
{
    out[0] = L'\0';
    if (!faceName) return;
    const UINT codePage = std::strcmp(faceName, DefaultFontName) == 0 ? DefaultTextCodePage : CP_ACP;
    // A name too long for a face (never stored: the buffer holds 31 bytes)
    // is cut; the face is then looked up by what is left.
    if (!MultiByteToWideChar(codePage, 0, faceName, -1, out, LF_FACESIZE)) out[LF_FACESIZE - 1] = L'\0';
}
