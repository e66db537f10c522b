// A Linux text saver's settings from any config file, command line and
// strings file: the options parsed, the values read under the Windows
// rules, and the strings file's lines decoded into the list, with memory
// running out at any request.
//
// Input, little-endian: u8 the memory request that fails (0: none); u16
// size and the config file's bytes; u16 size and the strings file's bytes;
// then the arguments, each ending with a zero byte. The strings file is the
// one read, whatever --strings names.
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

#include "failure_points.h"
#include "fuzz_input.h"
#include "glyra2_table.h"
#include "table_program.h"
#include "text_codec.h"

namespace {

TableProgram Glyra2Program;

std::string Folder, ConfigFile, StringsFile;
FILE* Nowhere;

std::string Take(FuzzInput& in, size_t size)
{
    std::string bytes(size, '\0');
    bytes.resize(in.Bytes(reinterpret_cast<uint8_t*>(&bytes[0]), size));
    return bytes;
}

// A new file each time: ext4 flushes a file rewritten in place on close.
void Write(const std::string& path, const std::string& bytes)
{
    unlink(path.c_str());
    FILE* f = std::fopen(path.c_str(), "wb");
    FUZZ_CHECK(f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && std::fclose(f) == 0);
}

bool Terminated(const char* text, size_t size) { return strnlen(text, size) < size; }

// Each entry, made UTF-8 again, starts one of the file's lines, in order
// (the first line's byte-order mark left out), and holds at most 259 units
// with no surrogate pair cut.
void CheckEntries(const TextList& list, const std::string& file)
{
    size_t at = file.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    for (const TextEntry* e = list.Head.get(); e; e = e->Next.get()) {
        const TextChar last = e->Text[e->Length - 1];
        FUZZ_CHECK(e->Length <= 259 && e->Text[e->Length] == 0 && !(last >= 0xD800 && last <= 0xDBFF));
        char utf8[4 * 260];
        FUZZ_CHECK(Utf16ToUtf8(e->Text.get(), utf8, sizeof utf8));
        const size_t n = std::strlen(utf8);
        while (at < file.size() && !(file.compare(at, n, utf8) == 0 && file.find('\n', at) >= at + n))
            at = file.find('\n', at) == std::string::npos ? file.size() : file.find('\n', at) + 1;
        FUZZ_CHECK(at < file.size());
        at = file.find('\n', at) == std::string::npos ? file.size() : file.find('\n', at) + 1;
    }
}

void RemoveFolder() { FUZZ_CHECK(std::system(("rm -rf '" + Folder + "'").c_str()) == 0); }

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    char folder[] = "/tmp/zamvel-fuzz-XXXXXX";
    FUZZ_CHECK(mkdtemp(folder) != nullptr);
    Folder = folder;
    ConfigFile = Folder + "/zamvel/fuzz.conf";
    StringsFile = Folder + "/zamvel/strings.txt";
    FUZZ_CHECK(mkdir((Folder + "/zamvel").c_str(), 0700) == 0);
    std::atexit(RemoveFolder);
    setenv("XDG_CONFIG_HOME", folder, 1);
    unsetenv("XSCREENSAVER_WINDOW");
    MakeTableProgram(Glyra2Table, Glyra2Program);
    Nowhere = std::fopen("/dev/null", "w");
    return Nowhere ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const uint8_t failAt = in.U8();
    Write(ConfigFile, Take(in, in.U16()));
    const std::string strings = Take(in, in.U16());
    Write(StringsFile, strings);
    std::vector<std::string> args = {"zamvel-fuzz"};
    for (std::string arg; !in.Empty();) {
        const uint8_t b = in.U8();
        if (b) arg += static_cast<char>(b);
        if (!b || in.Empty()) args.push_back(arg), arg.clear();
    }
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);

    // The messages go nowhere (glibc's streams are variables); sanitizers
    // and libFuzzer write to the descriptors.
    FILE* out = stdout;
    FILE* err = stderr;
    stdout = stderr = Nowhere;
    HackCommand c;
    const HackProgram& program = Glyra2Program.Program;
    const ParseOutcome outcome = ParseHackCommand(program, static_cast<int>(argv.size()), argv.data(), c);
    const int64_t blocks = LiveMemoryBlocks();
    PlanFailure(FailurePoint::Memory, failAt);
    SettingValues s;
    DefaultTableValues(Glyra2Table, s);
    bool took = false;
    if (outcome == ParseOutcome::Run) {
        for (int32_t i = 0; i < program.OptionCount; ++i)
            if (std::strcmp(program.Options[i].Name, "strings") == 0)
                c.Values[i].Given = true, std::snprintf(c.Values[i].Text, sizeof c.Values[i].Text, "%s", StringsFile.c_str());
        took = TakeTableSettings(c, Glyra2Program, s);
    }
    const bool failed = failAt > 0 && FailurePointRequests(FailurePoint::Memory) >= failAt;
    ClearFailurePlan();
    stdout = out, stderr = err;

    FUZZ_CHECK(outcome == ParseOutcome::Run || outcome == ParseOutcome::Help || outcome == ParseOutcome::Refused);
    if (outcome != ParseOutcome::Run) return 0;
    FUZZ_CHECK(c.Delay >= 0 && c.Delay <= MaxDelay && c.Frames >= 0);
    for (const OptionValue& v : c.Values)
        FUZZ_CHECK(Terminated(v.Text, sizeof v.Text) && Terminated(v.Where, sizeof v.Where));
    // Memory that ran out is never a success, and what was taken goes back.
    if (failed) FUZZ_CHECK(!took);
    if (took) {
        // Every number within its setting's bounds, as a stored one loads.
        for (int32_t i = 0; i < Glyra2Table.SettingCount; ++i) {
            const SettingSpec& setting = Glyra2Table.Settings[i];
            if (IsNumeric(setting)) FUZZ_CHECK(s.Numbers[i] == BoundedValue(setting, s.Numbers[i]));
        }
        FUZZ_CHECK(s.Face[0]);
        CheckEntries(s.Strings, strings);
    }
    s.Strings.Reset();
    FUZZ_CHECK(LiveMemoryBlocks() == blocks);
    return 0;
}
