#include "hack_options.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <strings.h>

#include "frame_texts.h"
#include "hack_program.h"

namespace {

// The frame's settings a config file may hold besides the saver's own;
// their help is said in the user's language.
const HackOption DelayOption{"delay", OptionKind::Number, "MICROSECONDS", nullptr};
const HackOption FpsOption{"fps", OptionKind::Flag, nullptr, nullptr};

// The saver's option called name, its index, or -1.
int32_t IndexOf(const HackProgram& p, const char* name)
{
    for (int32_t i = 0; i < p.OptionCount && i < MaxOptions; ++i)
        if (std::strcmp(p.Options[i].Name, name) == 0) return i;
    return -1;
}

bool Store(OptionValue& v, const char* text, const char* where)
{
    v.Given = true;
    std::snprintf(v.Where, sizeof v.Where, "%s", where);
    const int n = std::snprintf(v.Text, sizeof v.Text, "%s", text);
    return n >= 0 && static_cast<size_t>(n) < sizeof v.Text;
}

// The frame's own values kept aside until they are read.
struct FrameValues {
    OptionValue Delay, Fps, Frames;
};

// One setting, from the command line or a config line; false when the
// name is unknown or the text too long.
bool Set(const HackProgram& p, HackCommand& c, FrameValues& frame, const char* name, const char* text,
         const char* where)
{
    OptionValue* v = nullptr;
    if (std::strcmp(name, DelayOption.Name) == 0) v = &frame.Delay;
    if (std::strcmp(name, FpsOption.Name) == 0) v = &frame.Fps;
    const int32_t i = IndexOf(p, name);
    if (i >= 0) v = &c.Values[i];
    if (!v) return false;
    if (!Store(*v, text, where)) {
        Tell(p.Name, FrameText::ValueTooLong, where);
        return false;
    }
    return true;
}

char* Trim(char* s)
{
    while (*s == ' ' || *s == '\t') ++s;
    size_t n = std::strlen(s);
    while (n > 0 && (s[n - 1] == ' ' || s[n - 1] == '\t' || s[n - 1] == '\n' || s[n - 1] == '\r')) s[--n] = '\0';
    return s;
}

// The config file's lines; a missing file is no config. False after a
// message when a line is not understood.
bool ReadConfig(const HackProgram& p, HackCommand& c, FrameValues& frame)
{
    char path[1024];
    if (!ConfigPath(p.Config, path, sizeof path)) return true;
    FILE* f = std::fopen(path, "r");
    if (!f) {
        if (errno != ENOENT) Tell(p.Name, FrameText::ConfigUnreadable, path, std::strerror(errno));
        return true;
    }
    bool ok = true;
    char line[2048];
    for (int number = 1; ok && std::fgets(line, sizeof line, f); ++number) {
        char* s = Trim(line);
        if (*s == '\0' || *s == '#') continue;
        char* eq = std::strchr(s, '=');
        char where[320];
        if (!eq) {
            Tell(p.Name, FrameText::ConfigLineForm, path, number);
            ok = false;
            break;
        }
        *eq = '\0';
        const char* name = Trim(s);
        std::snprintf(where, sizeof where, "%.200s:%d: %.64s", path, number, name);
        const bool known = IndexOf(p, name) >= 0 || std::strcmp(name, DelayOption.Name) == 0 ||
                           std::strcmp(name, FpsOption.Name) == 0;
        if (!known) Tell(p.Name, FrameText::ConfigUnknown, path, number, name);
        ok = known && Set(p, c, frame, name, Trim(eq + 1), where);
    }
    std::fclose(f);
    return ok;
}

// In the user's language; the options themselves are the same in both.
void Usage(const HackProgram& p)
{
    std::printf(FrameSays(FrameText::Usage), p.Name);
    std::fputs(FrameSays(FrameText::UsageWhere), stdout);
    std::fputs(FrameSays(FrameText::UsageHow), stdout);
    char delay[128];
    std::snprintf(delay, sizeof delay, FrameSays(FrameText::DelayHelp), DefaultDelay);
    std::printf("  --%-20s %s\n", "delay MICROSECONDS", delay);
    std::printf("  --%-20s %s\n", "fps", FrameSays(FrameText::FpsHelp));
    std::printf("  --%-20s %s\n\n", "frames N", FrameSays(FrameText::FramesHelp));
    std::printf(FrameSays(FrameText::UsageSettings), p.Title);
    for (int32_t i = 0; i < p.OptionCount; ++i) {
        const HackOption& o = p.Options[i];
        char form[64];
        if (o.Kind == OptionKind::Flag)
            std::snprintf(form, sizeof form, "%s, --no-%s", o.Name, o.Name);
        else
            std::snprintf(form, sizeof form, "%s %s", o.Name, o.Argument);
        std::printf("  --%-20s %s\n", form, o.Help);
    }
    char path[1024];
    if (!ConfigPath(p.Config, path, sizeof path)) std::snprintf(path, sizeof path, "~/.config/zamvel/%s.conf", p.Config);
    std::printf(FrameSays(FrameText::UsageConfig), path);
}

// "--name", "-name", "--name=value": the name and the inline value.
bool SplitArgument(char* arg, const char*& name, const char*& inlineValue)
{
    if (arg[0] != '-') return false;
    name = arg + (arg[1] == '-' ? 2 : 1);
    inlineValue = nullptr;
    char* eq = std::strchr(arg, '=');
    if (eq) {
        *eq = '\0';
        inlineValue = eq + 1;
    }
    return *name != '\0';
}

bool Whole(const char* text, int64_t low, int64_t high, int64_t& out, int base = 10)
{
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text, &end, base);
    if (errno || end == text || *end != '\0' || v < low || v > high) return false;
    out = v;
    return true;
}

// The frame's values read into the command.
bool TakeFrameValues(const HackProgram& p, HackCommand& c, const FrameValues& frame)
{
    if (frame.Delay.Given) {
        int32_t d = 0;
        if (!ReadNumber(c, frame.Delay, d)) return false;
        if (d < 0 || d > MaxDelay) {
            const int32_t chosen = d < 0 ? 0 : MaxDelay;
            char range[64], text[1200];
            std::snprintf(range, sizeof range, FrameSays(FrameText::Range), 0, MaxDelay);
            std::snprintf(text, sizeof text, FrameSays(FrameText::OutOfRange), frame.Delay.Text, range, chosen);
            SayAbout(c, frame.Delay, text);
            d = chosen;
        }
        c.Delay = d;
    }
    if (frame.Fps.Given && !ReadFlag(c, frame.Fps, c.Fps)) return false;
    if (frame.Frames.Given) {
        int64_t n = 0;
        if (!Whole(frame.Frames.Text, 0, INT64_MAX, n)) {
            Tell(p.Name, FrameText::NotAFrameCount, frame.Frames.Text);
            return false;
        }
        c.Frames = n;
    }
    return true;
}

// The daemon names its window in the environment.
bool TakeWindowFromEnvironment(const HackProgram& p, HackCommand& c)
{
    const char* env = std::getenv("XSCREENSAVER_WINDOW");
    if (c.HasWindow || !env || !*env) return true;
    int64_t id = 0;
    if (!Whole(env, 1, 0xFFFFFFFFll, id, 0)) {
        Tell(p.Name, FrameText::NotAWindowId, "XSCREENSAVER_WINDOW", env);
        return false;
    }
    c.HasWindow = true;
    c.WindowId = static_cast<unsigned long>(id);
    return true;
}

} // namespace

bool ConfigPath(const char* config, char* out, int32_t size)
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    int n;
    // XDG says a relative XDG_CONFIG_HOME is to be ignored.
    if (xdg && xdg[0] == '/')
        n = std::snprintf(out, static_cast<size_t>(size), "%s/zamvel/%s.conf", xdg, config);
    else if (home && *home)
        n = std::snprintf(out, static_cast<size_t>(size), "%s/.config/zamvel/%s.conf", home, config);
    else
        return false;
    return n > 0 && n < size;
}

ParseOutcome ParseHackCommand(const HackProgram& p, int argc, char** argv, HackCommand& c)
{
    c.Program = &p;
    FrameValues frame;
    if (!ReadConfig(p, c, frame)) return ParseOutcome::Refused;
    for (int i = 1; i < argc; ++i) {
        const char* name = nullptr;
        const char* inlineValue = nullptr;
        if (!SplitArgument(argv[i], name, inlineValue)) {
            Tell(p.Name, FrameText::UnexpectedArgument, argv[i]);
            return ParseOutcome::Refused;
        }
        char where[96];
        std::snprintf(where, sizeof where, "--%s", name);
        if (std::strcmp(name, "help") == 0 || std::strcmp(name, "h") == 0) {
            Usage(p);
            return ParseOutcome::Help;
        }
        if (std::strcmp(name, "root") == 0 && !inlineValue) {
            c.Root = true;
            continue;
        }
        // A flag: --name or --no-name.
        const bool negated = std::strncmp(name, "no-", 3) == 0;
        const char* flag = negated ? name + 3 : name;
        const int32_t fi = IndexOf(p, flag);
        if (!inlineValue && ((fi >= 0 && p.Options[fi].Kind == OptionKind::Flag) || std::strcmp(flag, "fps") == 0)) {
            std::snprintf(where, sizeof where, "--%s", flag);
            Set(p, c, frame, flag, negated ? "false" : "true", where);
            continue;
        }
        // Every other option takes a value: --fps=VALUE as much as --bold=VALUE.
        const bool known = IndexOf(p, name) >= 0 || std::strcmp(name, "delay") == 0 ||
                           std::strcmp(name, FpsOption.Name) == 0 ||
                           std::strcmp(name, "frames") == 0 || std::strcmp(name, "window-id") == 0 ||
                           std::strcmp(name, "display") == 0;
        if (!known) {
            Tell(p.Name, FrameText::UnknownOption, argv[i]);
            return ParseOutcome::Refused;
        }
        const char* value = inlineValue;
        if (!value) {
            if (i + 1 >= argc) {
                Tell(p.Name, FrameText::NeedsValue, name);
                return ParseOutcome::Refused;
            }
            value = argv[++i];
        }
        if (std::strcmp(name, "window-id") == 0) {
            int64_t id = 0;
            if (!Whole(value, 1, 0xFFFFFFFFll, id, 0)) {
                Tell(p.Name, FrameText::NotAWindowId, "--window-id", value);
                return ParseOutcome::Refused;
            }
            c.HasWindow = true;
            c.WindowId = static_cast<unsigned long>(id);
        } else if (std::strcmp(name, "display") == 0) {
            c.DisplayName = value;
        } else if (std::strcmp(name, "frames") == 0) {
            Store(frame.Frames, value, where);
        } else if (!Set(p, c, frame, name, value, where)) {
            return ParseOutcome::Refused;
        }
    }
    if (!TakeFrameValues(p, c, frame) || !TakeWindowFromEnvironment(p, c)) return ParseOutcome::Refused;
    return ParseOutcome::Run;
}

const OptionValue* ValueOf(const HackCommand& c, const char* name)
{
    if (!c.Program) return nullptr;
    const int32_t i = IndexOf(*c.Program, name);
    return i >= 0 && c.Values[i].Given ? &c.Values[i] : nullptr;
}

void SayAbout(const HackCommand& c, const OptionValue& v, const char* text)
{
    std::fprintf(stderr, "%s: %s: %s\n", c.Program ? c.Program->Name : "zamvel", v.Where, text);
}

bool ReadNumber(const HackCommand& c, const OptionValue& v, int32_t& out)
{
    int64_t n = 0;
    if (!Whole(v.Text, INT32_MIN, INT32_MAX, n)) {
        char text[1200];
        std::snprintf(text, sizeof text, FrameSays(FrameText::NotAWholeNumber), v.Text);
        SayAbout(c, v, text);
        return false;
    }
    out = static_cast<int32_t>(n);
    return true;
}

bool ReadFlag(const HackCommand& c, const OptionValue& v, bool& out)
{
    for (const char* w : {"true", "yes", "on", "1"})
        if (strcasecmp(v.Text, w) == 0) return out = true, true;
    for (const char* w : {"false", "no", "off", "0"})
        if (strcasecmp(v.Text, w) == 0) return out = false, true;
    char text[1200];
    std::snprintf(text, sizeof text, FrameSays(FrameText::NeitherTrueNorFalse), v.Text);
    SayAbout(c, v, text);
    return false;
}
