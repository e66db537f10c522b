// Failed system calls on the way up and in the first ticks. For each kind
// of request (memory, GDI object, registry call) one clean start of "/s"
// counts the program's requests; then each request in turn is refused,
// alone and with every later one, and the program started again through
// the real shell. Every start must end with exit code 0, whether it drew or
// not; show no message but the one the program has for that failure; leave
// the program's key as it was; and give back every block of memory and
// every GDI object it took.
//
//   failure_sweep_NAME.exe [--leak]
//
// --leak keeps one block of every start, to show that a leak is caught.
#include "failure_points.h"
#include "process_census.h"
#include "registry_shapes.h"
#include "saver_hooks.h"
#include "table_saver.h"
#include "watched_start.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

// Every C++ object of the process counted: the program's through the shell
// and the savers, and the sweep's own, which it makes none of while a start
// runs. Blocks from AllocateMemory count on their own.
namespace {
long LiveObjects = 0;

void* Counted(size_t size)
{
    void* p = std::malloc(size ? size : 1);
    if (p) ++LiveObjects;
    return p;
}

void Uncounted(void* p)
{
    if (!p) return;
    --LiveObjects;
    std::free(p);
}
} // namespace

void* operator new(size_t size)
{
    void* p = Counted(size);
    if (!p) std::abort();
    return p;
}
void* operator new[](size_t size) { return operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return Counted(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return Counted(size); }
void operator delete(void* p) noexcept { Uncounted(p); }
void operator delete[](void* p) noexcept { Uncounted(p); }
void operator delete(void* p, size_t) noexcept { Uncounted(p); }
void operator delete[](void* p, size_t) noexcept { Uncounted(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Uncounted(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Uncounted(p); }

namespace {

struct StoredDword {
    const wchar_t* Name;
    DWORD Value;
};

// What each program starts with, whether it makes GDI objects of its own
// (Orbel draws with the DC's own brush), and the one message a failure may
// bring: Glyra says when it cannot make its font (and draws on without it;
// its Japanese words, as Glyra's sweep runs on a Japanese system).
struct ProgramCase {
    const char* Program;
    std::vector<StoredDword> Values;
    bool HasList;
    bool MakesGdiObjects;
    const char* FontMessage;
    // The ticks of a start: enough for the saver to have drawn with each of
    // its brushes and fonts (a worm takes a brush every tick).
    int Frames;
};
const ProgramCase Table[] = {
    {"Orbel", {{L"Count", 300}}, false, false, nullptr, 8},
    // Type 1 keeps the desktop under the worms: the screen copy is made.
    {"Worms", {{L"Type", 1}, {L"WormsCnt", 12}, {L"WormsLen", 30}}, false, true, nullptr, 3},
    {"Glyra2", {{L"Speed", 3}, {L"FontSize", 40}}, true, true, nullptr, 8},
    {"Glyra", {{L"Speed", 3}, {L"FontSize", 40}}, true, true, "failed to creating font.", 8},
};

const struct {
    FailurePoint Point;
    const char* Name;
} Points[] = {
    {FailurePoint::Memory, "memory"},
    {FailurePoint::GdiObject, "GDI object"},
    {FailurePoint::Registry, "registry call"},
};

constexpr DWORD StartLimitMs = 20000;
std::wstring KeyPath;
bool Leak = false;

long LiveBlocks() { return LiveObjects + static_cast<long>(LiveMemoryBlocks()); }

// The stored list belongs to the settings object, which outlives a start;
// it goes after each start so that the blocks counted are the start's.
void ReleaseStoredList() { ProgramSettings().Values.Strings.Reset(); }

bool Store(const ProgramCase& c)
{
    DeleteKeyTree(KeyPath);
    std::vector<StoredValue> values;
    for (const StoredDword& d : c.Values) {
        std::string data(reinterpret_cast<const char*>(&d.Value), sizeof d.Value);
        values.push_back({d.Name, REG_DWORD, data});
    }
    bool ok = StoreValues(KeyPath, values);
    if (c.HasList)
        ok = StoreValues(KeyPath + L"\\List",
                         {{L"1", REG_SZ, "Zamvel"}, {L"2", REG_SZ, "three"}, {L"3", REG_SZ, "strings"}}) && ok;
    return ok;
}

struct Outcome {
    int32_t Requests = 0;
    bool Ok = true;
};

// One start of "/s" with the nth request at point refused (0: none).
Outcome Start(const SaverHooks& saver, const ProgramCase& c, FailurePoint point, const char* pointName, int32_t nth,
              bool lasting)
{
    char label[160];
    std::snprintf(label, sizeof label, "%s, %s %d%s refused", c.Program, pointName, static_cast<int>(nth),
                  lasting ? " and after" : " alone");
    const std::string name = nth ? label : std::string(c.Program) + ", nothing refused";
    const RegistryExport before = ExportKey(KeyPath);
    const uint32_t gdiBefore = LiveGdiObjects();
    const long blocksBefore = LiveBlocks();

    PlanFailure(point, nth, lasting);
    const int code = WatchedStart(saver, "/s", name);
    Outcome o;
    o.Requests = FailurePointRequests(point);
    ClearFailurePlan();
    ReleaseStoredList();
    if (Leak) (void)AllocateMemory(1);

    const long blocksAfter = LiveBlocks();
    const uint32_t gdiAfter = LiveGdiObjects();
    const StartSeen& seen = LastStart();
    const std::string changed = FirstDifference(before, ExportKey(KeyPath));
    // The font fails with its GDI object or with the memory that holds it.
    const bool fontMessage = c.FontMessage && point != FailurePoint::Registry && seen.Boxes == 1 &&
                             std::strcmp(seen.LastBox, c.FontMessage) == 0;
    char fault[512] = "";
    if (code != 0)
        std::snprintf(fault, sizeof fault, "exit code %d", code);
    else if (seen.Boxes > 0 && !fontMessage)
        std::snprintf(fault, sizeof fault, "%d message boxes, the last: %s", seen.Boxes, seen.LastBox);
    else if (c.FontMessage && point == FailurePoint::GdiObject && nth == 1 && lasting && !fontMessage)
        std::snprintf(fault, sizeof fault, "no font, and no \"%s\"", c.FontMessage);
    else if (nth == 0 && seen.Frames < 1)
        std::snprintf(fault, sizeof fault, "nothing drawn");
    else if (blocksAfter != blocksBefore)
        std::snprintf(fault, sizeof fault, "memory blocks %ld before, %ld after", blocksBefore, blocksAfter);
    else if (gdiAfter != gdiBefore)
        std::snprintf(fault, sizeof fault, "GDI objects %u before, %u after", gdiBefore, gdiAfter);
    else if (!changed.empty())
        std::snprintf(fault, sizeof fault, "the key changed: %s", changed.c_str());
    if (fault[0]) {
        std::printf("FAIL: %s: %s\n", name.c_str(), fault);
        o.Ok = false;
    }
    return o;
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--leak") == 0) Leak = true;
        else return 2;
    }
    const ProgramCase* program = nullptr;
    for (const ProgramCase& c : Table)
        if (std::strcmp(c.Program, ProgramSaver.Name) == 0) program = &c;
    if (!program) return 2;
    KeyPath = ProgramKeyPath(ProgramSaver.Name);
    if (!GdiCountWorks()) {
        std::printf("FAIL: live GDI objects cannot be counted here\n");
        return 1;
    }
    WatchStarts(KeyPath, StartLimitMs, program->Frames);
    if (!Store(*program)) {
        std::printf("FAIL: the settings could not be stored\n");
        return 1;
    }

    // The first starts fill the system's caches (window DCs, the glyphs),
    // and an error box, as a refused font brings, caches its icon; a start
    // after the box takes one more cached DC on two monitors. Later starts
    // are measured against what they leave.
    WatchedStart(ProgramSaver, "/s", "warm-up");
    MessageBoxA(nullptr, "warm-up", ProgramSaver.Name, MB_ICONERROR);
    WatchedStart(ProgramSaver, "/s", "warm-up");
    ReleaseStoredList();

    int failed = 0, starts = 0;
    for (const auto& p : Points) {
        const Outcome clean = Start(ProgramSaver, *program, p.Point, p.Name, 0, false);
        failed += !clean.Ok;
        if (clean.Requests == 0 && (p.Point != FailurePoint::GdiObject || program->MakesGdiObjects)) {
            std::printf("FAIL: %s: no %s requested\n", program->Program, p.Name);
            ++failed;
        }
        for (int32_t n = 1; n <= clean.Requests; ++n)
            for (bool lasting : {false, true}) {
                failed += !Start(ProgramSaver, *program, p.Point, p.Name, n, lasting).Ok;
                ++starts;
            }
        std::printf("%s: %d %s requests, each refused alone and with the rest\n", program->Program,
                    static_cast<int>(clean.Requests), p.Name);
    }
    StopWatchingStarts();
    DeleteKeyTree(KeyPath);
    std::printf("failure sweep %s: %d starts with a refusal, %d failed\n", program->Program, starts, failed);
    return failed ? 1 : 0;
}
