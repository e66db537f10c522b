// The registry-shape sweep: every value a program reads takes every kind of
// data (missing, text at the edges of each buffer the program reads into,
// numbers at the 32-bit edges, bytes that are no text), each time with one
// of the six types; the text savers' "List" takes hundreds of values of
// every shape, with long and empty names among them, and the leftovers of
// a stopped save. Run k stores one shape in every value (each value walks
// the kinds in its own seeded order, twice, each time with another type)
// and starts the program through the real shell, in-process, twice:
// - "/s": it must draw, end on a key with exit code 0 and leave the key as
//   loading leaves it (loading writes nothing but a missing "List");
// - "/c": the dialog must open, and Cancel must leave the program's key
//   byte-identical (full exports compared).
// A run that takes too long is stuck and ends the sweep; any crash, even
// one that wine would swallow in a window procedure, ends it with wine's
// backtrace.
//
//   registry_sweep_NAME.exe [--seed N] [--runs N] [--crash]
//
// --crash makes the saver's OnCreate write through a null pointer, to show
// that a crash is reported.
#include "registry_shapes.h"
#include "saver_hooks.h"
#include "table_saver.h"
#include "watched_start.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The values the program reads, in the order it reads them: its schema's.
struct ProgramValues {
    std::vector<std::wstring> Names;
    std::vector<const wchar_t*> Values;
    bool HasList = false;
};

void ReadSchema(ProgramValues& p)
{
    const SaverTable& table = ProgramWindows.Table;
    for (int32_t i = 0; i < table.SettingCount; ++i) {
        const char* name = table.Settings[i].Name;
        if (table.Settings[i].Kind == SettingKind::Strings)
            p.HasList = true;
        else
            p.Names.emplace_back(name, name + std::strlen(name));
    }
    for (const std::wstring& n : p.Names) p.Values.push_back(n.c_str());
}

constexpr DWORD RunLimitMs = 20000;  // a start that takes longer is stuck
std::wstring KeyPath;

// What one run stores: a shape for each value, and the "List" shape.
struct RunShapes {
    std::vector<StoredValue> Values;
    bool HasList = false;
    ListShape List;
    std::string Label;
};

uint32_t Pick(std::mt19937& random, uint32_t n) { return static_cast<uint32_t>(random() % n); }

std::vector<uint32_t> Shuffled(std::mt19937& random, uint32_t n)
{
    std::vector<uint32_t> order(n);
    for (uint32_t i = 0; i < n; ++i) order[i] = i;
    for (uint32_t i = n; i > 1; --i) std::swap(order[i - 1], order[Pick(random, i)]);
    return order;
}

std::string Narrow(const wchar_t* text)
{
    std::string out;
    for (; *text; ++text) out += static_cast<char>(*text);
    return out;
}

std::vector<RunShapes> PlanRuns(const ProgramValues& program, const std::vector<DataKind>& kinds, uint32_t seed,
                                int runs)
{
    std::mt19937 random(seed);
    const uint32_t count = static_cast<uint32_t>(kinds.size());
    std::vector<std::vector<uint32_t>> order;
    std::vector<uint32_t> typeShift;
    for (size_t v = 0; v < program.Values.size(); ++v) {
        order.push_back(Shuffled(random, count));
        typeShift.push_back(Pick(random, 6));
    }
    std::vector<uint32_t> lists;
    std::vector<RunShapes> plan;
    for (int k = 0; k < runs; ++k) {
        RunShapes r;
        r.Label = "run " + std::to_string(k) + ":";
        for (size_t v = 0; v < program.Values.size(); ++v) {
            const DataKind& kind = kinds[order[v][static_cast<uint32_t>(k) % count]];
            const DWORD type = ShapeTypes[(static_cast<uint32_t>(k) + typeShift[v]) % 6];
            r.Label += " " + Narrow(program.Values[v]) + "=";
            if (kind.Missing) {
                r.Label += "missing;";
                continue;
            }
            r.Values.push_back({program.Values[v], type, kind.Data});
            r.Label += std::string(TypeName(type)) + " " + kind.Label + ";";
        }
        if (program.HasList) {
            if (lists.empty()) lists = Shuffled(random, ListShapeCount);
            r.HasList = true;
            r.List = MakeListShape(static_cast<int>(lists.back()), kinds, random);
            lists.pop_back();
            r.Label += " " + r.List.Label;
        }
        plan.push_back(r);
    }
    return plan;
}

bool Store(const RunShapes& r)
{
    DeleteKeyTree(KeyPath);
    bool ok = StoreValues(KeyPath, r.Values);
    if (r.List.HasList) ok = StoreValues(KeyPath + L"\\List", r.List.List) && ok;
    if (!r.List.Inner.empty()) ok = StoreValues(KeyPath + L"\\List\\Inner", r.List.Inner) && ok;
    if (r.List.HasNewList) ok = StoreValues(KeyPath + L"\\List.new", r.List.NewList) && ok;
    return ok;
}

// The key as loading leaves it: unchanged, but for the text savers' "List":
// made empty when missing, or taken from a "List.new" that a stopped save
// left in its place.
RegistryExport AfterLoading(const RegistryExport& before, bool hasList)
{
    if (!hasList || before.empty() || before.count(L"List")) return before;
    RegistryExport after;
    bool renamed = false;
    for (const auto& k : before) {
        if (k.first == L"List.new" || k.first.rfind(L"List.new\\", 0) == 0) {
            after[L"List" + k.first.substr(8)] = k.second;
            renamed = true;
        } else {
            after[k.first] = k.second;
        }
    }
    if (!renamed) after[L"List"] = "";
    return after;
}

// One start in mode "/s" or "/c" on the stored shapes; true when it went
// as it must.
bool Start(const SaverHooks& saver, const char* mode, const RunShapes& r)
{
    const std::string label = std::string(saver.Name) + " " + mode + " " + r.Label;
    if (!Store(r)) {
        std::printf("FAIL: %s: the shapes could not be stored\n", label.c_str());
        return false;
    }
    const RegistryExport before = ExportKey(KeyPath);
    const int code = WatchedStart(saver, mode, label);
    const StartSeen& seen = LastStart();
    const RegistryExport after = ExportKey(KeyPath);

    const bool run = std::strcmp(mode, "/s") == 0;
    const std::string loaded = FirstDifference(AfterLoading(before, r.HasList), after);
    const std::string cancelled = run ? "" : FirstDifference(seen.AtDialog, after);
    std::string fault;
    if (code != 0)
        fault = "exit code " + std::to_string(code);
    else if (seen.Boxes > 0)
        fault = std::string("a message box: ") + seen.LastBox;
    else if (run && seen.Frames < 1)
        fault = "nothing drawn";
    else if (!run && !seen.DialogShown)
        fault = "no dialog shown";
    else if (!cancelled.empty())
        fault = "Cancel changed the key: " + cancelled;
    else if (!loaded.empty())
        fault = "loading changed the key: " + loaded;
    if (!fault.empty()) std::printf("FAIL: %s: %s\n", label.c_str(), fault.c_str());
    return fault.empty();
}

} // namespace

int main(int argc, char** argv)
{
    uint32_t seed = 11;
    int runs = 0;
    bool crash = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) seed = static_cast<uint32_t>(std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc) runs = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--crash") == 0) crash = true;
        else return 2;
    }
    ProgramValues program;
    ReadSchema(program);
    KeyPath = ProgramKeyPath(ProgramSaver.Name);

    WatchStarts(KeyPath, RunLimitMs);

    SaverHooks saver = ProgramSaver;
    if (crash) saver.OnCreate = CrashingOnCreate;
    const std::vector<DataKind> kinds = DataKinds();
    // Two rounds: each value takes every kind of data twice, with two types.
    if (runs <= 0) runs = 2 * static_cast<int>(kinds.size());
    if (crash) runs = 1;
    const std::vector<RunShapes> plan = PlanRuns(program, kinds, seed, runs);

    int failed = 0;
    DWORD slowest = 0;
    std::string slowestLabel;
    for (const RunShapes& r : plan)
        for (const char* mode : {"/s", "/c"}) {
            const DWORD t0 = GetTickCount();
            if (!Start(saver, mode, r)) ++failed;
            if (GetTickCount() - t0 > slowest) {
                slowest = GetTickCount() - t0;
                slowestLabel = std::string(mode) + " " + r.Label;
            }
        }
    StopWatchingStarts();
    DeleteKeyTree(KeyPath);
    std::printf("slowest start: %lu ms: %s\n", static_cast<unsigned long>(slowest), slowestLabel.c_str());
    std::printf("registry sweep %s: %d runs of /s and /c, seed %u, %d failed\n", ProgramSaver.Name, runs, seed,
                failed);
    return failed ? 1 : 0;
}
