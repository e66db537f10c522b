// Checks shared by the resource tests, on what resource_reader.h reads.
#pragma once

#include <cstddef>

#include "resource_reader.h"

// Every control of the template, in order, against the expected table:
// geometry, id, styles, texts and creation data. An expected "#<ordinal>"
// class must be that ordinal; an expected name matches the class by name
// or by its predefined ordinal, in any case.
void ExpectControls(const DialogTemplate& t, const DialogControl* expected, size_t count);
template <size_t N>
void ExpectControls(const DialogTemplate& t, const DialogControl (&expected)[N])
{
    ExpectControls(t, expected, N);
}

// A value of the version record's "041104b0" string block.
struct VersionText {
    const wchar_t* Name;
    const wchar_t* Value;
};
void ExpectVersionTexts(const VersionRecord& version, const VersionText* expected, size_t count);
template <size_t N>
void ExpectVersionTexts(const VersionRecord& version, const VersionText (&expected)[N])
{
    ExpectVersionTexts(version, expected, N);
}

// The fixed part says FILEVERSION and PRODUCTVERSION 1,0,0,1, and the one
// translation is Japanese (0x411) in Unicode (1200).
void ExpectVersion1001InJapanese(const VersionRecord& version);

// The program's own version record: 1,0,0,1 in Japanese, the string block
// "041104b0" with the versions as text, naming the program and its file.
void ExpectVersionNamesTheProgram(const wchar_t* program);
