// The Linux side of a saver's table: the program's names, its options with
// their --help texts (ranges and defaults from the schema, in the user's
// language), and the values of the options taken under the same rules as
// stored values on Windows.
#pragma once

#include <cstdint>

#include "hack_program.h"
#include "saver_table.h"

struct TableProgram {
    HackProgram Program{};
    // The setting behind each option, at the option's place.
    int32_t Setting[MaxOptions] = {};
    // Storage of the texts the program and options point to.
    char Name[64] = "", Config[32] = "";
    HackOption Options[MaxOptions] = {};
    char Arguments[MaxOptions][96] = {};
    char Helps[MaxOptions][320] = {};
};

// The program of table: zamvel-NAME, its config name and its options, in
// the order the settings are shown to a user.
void MakeTableProgram(const SaverTable& table, TableProgram& out);

// The values of the command's options into values, which hold the
// defaults: a number out of bounds is brought in with a warning, as a
// stored value loads on Windows; an unknown word of a choice is said and
// taken as such a value loads. False (after a message) when a value is no
// number, a flag is neither true nor false, a face is too long or the
// strings file cannot be read: the program ends with 2.
bool TakeTableSettings(const HackCommand& command, const TableProgram& program, SettingValues& values);

// The face that Linux draws in when no face is given: the table's portable face.
void DefaultTableValues(const SaverTable& table, SettingValues& values);

// "1 to 3500", "1 (Very fast) to 5 (Very slow)": a numeric setting's range
// as the help and the warnings say it, in the user's language.
void RangeText(const SettingSpec& s, char* out, int32_t size);
