// The text savers' strings on Linux, shared by zamvel-glyra2 and
// zamvel-glyra: the file that --strings names.
#pragma once

#include <cstdint>

#include "hack_options.h"
#include "text_list.h"

// The lines of a UTF-8 file as texts of list, in order: empty lines are
// dropped, a line that is not UTF-8 is skipped and a long one cut, each
// with a warning. False (after a message, with the list released) when
// the file cannot be read or memory runs out.
bool LoadStringsFile(const HackCommand& command, const OptionValue& v, TextList& list);
