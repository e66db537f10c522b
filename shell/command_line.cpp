#include "command_line.h"

#include <cstdlib>

namespace {

struct SwitchGroup {
    SaverMode Mode;
    const char* Forms[4];
};

// Tested in this order; within a group, in form order.
constexpr SwitchGroup SwitchTable[] = {
    {SaverMode::Configure, {"/c", "-c", "/C", "-C"}},
    {SaverMode::Run, {"/s", "-s", "/S", "-S"}},
    {SaverMode::Preview, {"/p", "-p", "/P", "-P"}},
};

// Every form is two bytes long, so the handle number starts at the text's
// third character, wherever the form itself was found.
constexpr int FormLength = 2;

// atoi's reading as a handle: leading white space, optional sign, digits.
// Wider than int so that handles above 2^31 on 64-bit systems survive; a
// negative number is taken as the two's complement pattern, as a cast would.
uintptr_t ReadHandleNumber(const char* text)
{
    return static_cast<uintptr_t>(std::strtoll(text, nullptr, 10));
}

} // namespace

bool ContainsText(const char* text, const char* pattern)
{
    if (!text || !pattern || *pattern == '\0') return false;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p != *pattern) continue;
        const char* t = p;
        const char* q = pattern;
        while (*t != '\0' && *q != '\0' && *t == *q) {
            ++t;
            ++q;
        }
        if (*q == '\0') return true;
    }
    return false;
}

ModeChoice ChooseMode(const char* args)
{
    for (const SwitchGroup& group : SwitchTable) {
        for (const char* form : group.Forms) {
            if (!ContainsText(args, form)) continue;
            ModeChoice choice{group.Mode, 0};
            // A form was found, so the text holds at least FormLength bytes.
            if (group.Mode != SaverMode::Run)
                choice.Handle = ReadHandleNumber(args + FormLength);
            return choice;
        }
    }
    return {SaverMode::Run, 0};
}

const char* SkipProgramName(const char* commandLine)
{
    const char* p = commandLine;
    if (!p) return "";
    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (static_cast<unsigned char>(*p) > ' ') ++p;
    }
    while (*p != '\0' && static_cast<unsigned char>(*p) <= ' ') ++p;
    return p;
}
