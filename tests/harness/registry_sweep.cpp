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
#include "saver_shell.h"
#include "win_test_support.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The values each program reads.
struct ProgramValues {
    const char* Program;
    std::vector<const wchar_t*> Values;
    bool HasList;
};
const ProgramValues Table[] = {
    {"Orbel", {L"Count"}, false},
    {"Worms", {L"Type", L"WormsCnt", L"WormsLen"}, false},
    {"Glyra2", {L"Speed", L"FontName", L"FontSize", L"FontBold", L"FontItalic"}, true},
    {"Glyra", {L"Speed", L"FontName", L"FontSize", L"FontBold", L"FontItalic"}, true},
};

constexpr DWORD RunLimitMs = 20000;  // a start that takes longer is stuck

// The start being watched, one at a time: the hooks on the saver's thread
// fill it in; the watchdog and the crash report read the label.
struct Watch {
    char Label[1024] = "";
    std::atomic<bool> Running{false};
    std::atomic<DWORD> StartedAt{0};
    HWND Window = nullptr;
    WNDPROC Original = nullptr;
    int Frames = 0;
    bool DialogShown = false;
    RegistryExport AtDialog;
    HHOOK Hook = nullptr;
};
Watch Current;
std::wstring KeyPath;

void Begin(const std::string& label)
{
    std::snprintf(Current.Label, sizeof Current.Label, "%s", label.c_str());
    Current.Window = nullptr;
    Current.Original = nullptr;
    Current.Frames = 0;
    Current.DialogShown = false;
    Current.AtDialog.clear();
    Current.StartedAt = GetTickCount();
    Current.Running = true;
}

// The saver's window: its first tick is asked for at once rather than after
// the timer's 50 ms, and the key follows its first frame.
LRESULT CALLBACK RunProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT answer = CallWindowProcA(Current.Original, window, message, wParam, lParam);
    if (message == WM_CREATE) PostMessageA(window, WM_TIMER, 1, 0);
    if (message == WM_TIMER && ++Current.Frames == 1) PostMessageA(window, WM_KEYDOWN, VK_SPACE, 0);
    return answer;
}

// Sees every window the thread makes: takes the saver's first window over,
// and answers the settings dialog with Cancel once it shows, after taking
// the key's export.
LRESULT CALLBACK WatchWindows(int code, WPARAM wParam, LPARAM lParam)
{
    HWND window = reinterpret_cast<HWND>(wParam);
    char name[64] = "";
    if (code == HCBT_CREATEWND && !Current.Window && GetClassNameA(window, name, sizeof name) &&
        std::strcmp(name, SaverClassName) == 0) {
        Current.Window = window;
        Current.Original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RunProc)));
    }
    if (code == HCBT_ACTIVATE && !Current.DialogShown && GetWindowTextA(window, name, sizeof name) &&
        std::strcmp(name, "Setting") == 0) {
        Current.DialogShown = true;
        Current.AtDialog = ExportKey(KeyPath);
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    return CallNextHookEx(Current.Hook, code, wParam, lParam);
}

DWORD WINAPI Watchdog(void*)
{
    for (;;) {
        Sleep(50);
        if (Current.Running && GetTickCount() - Current.StartedAt > RunLimitMs) {
            std::printf("FAIL: %s: still running after %lu ms\n", Current.Label,
                        static_cast<unsigned long>(RunLimitMs));
            std::fflush(stdout);
            ExitProcess(1);
        }
    }
}

bool IsCrash(DWORD code)
{
    switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_INT_OVERFLOW:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_STACK_OVERFLOW:
    case 0xC0000374:  // heap corruption
    case 0xC0000409:  // stack buffer overrun
        return true;
    default:
        return false;
    }
}

// Every crash, where it happens: wine (like 64-bit Windows) swallows
// exceptions in window procedures called back from the system (WM_CREATE,
// the dialog's messages), so the handler that sees them first says so,
// starts wine's debugger and hands the exception to it as unhandled: its
// backtrace follows and the process ends.
LONG CALLBACK ReportCrash(EXCEPTION_POINTERS* e)
{
    const DWORD code = e->ExceptionRecord->ExceptionCode;
    if (!IsCrash(code)) return EXCEPTION_CONTINUE_SEARCH;
    std::printf("FAIL: %s: exception 0x%08lX at %p\n", Current.Label, static_cast<unsigned long>(code),
                e->ExceptionRecord->ExceptionAddress);
    std::fflush(stdout);
    UnhandledExceptionFilter(e);
    using RaiseFn = LONG(WINAPI*)(EXCEPTION_RECORD*, CONTEXT*, BOOLEAN);
    const auto raise = reinterpret_cast<RaiseFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtRaiseException")));
    if (raise) raise(e->ExceptionRecord, e->ContextRecord, FALSE);
    TerminateProcess(GetCurrentProcess(), 3);
    return EXCEPTION_CONTINUE_SEARCH;
}

void CrashingOnCreate(SaverInstance&, HWND)
{
    volatile int* nowhere = nullptr;
    *nowhere = 1;
}

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
bool Start(const SaverHooks& saver, const char* mode, const RunShapes& r, const MessageBoxCatcher& boxes)
{
    const std::string label = std::string(saver.Name) + " " + mode + " " + r.Label;
    if (!Store(r)) {
        std::printf("FAIL: %s: the shapes could not be stored\n", label.c_str());
        return false;
    }
    const RegistryExport before = ExportKey(KeyPath);
    const size_t boxesBefore = boxes.Boxes().size();
    Begin(label);
    const int code = SaverMain(GetModuleHandleA(nullptr), mode, saver);
    Current.Running = false;
    const RegistryExport after = ExportKey(KeyPath);

    const bool run = std::strcmp(mode, "/s") == 0;
    const std::string loaded = FirstDifference(AfterLoading(before, r.HasList), after);
    const std::string cancelled = run ? "" : FirstDifference(Current.AtDialog, after);
    std::string fault;
    if (code != 0)
        fault = "exit code " + std::to_string(code);
    else if (boxes.Boxes().size() != boxesBefore)
        fault = "a message box: " + boxes.Boxes().back().Text;
    else if (run && Current.Frames < 1)
        fault = "nothing drawn";
    else if (!run && !Current.DialogShown)
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
    const ProgramValues* program = nullptr;
    for (const ProgramValues& p : Table)
        if (std::strcmp(p.Program, ProgramSaver.Name) == 0) program = &p;
    if (!program) return 2;
    KeyPath = L"Software\\Zamvel\\";
    for (const char* c = ProgramSaver.Name; *c; ++c) KeyPath += static_cast<wchar_t>(*c);

    AddVectoredExceptionHandler(1, ReportCrash);
    MessageBoxCatcher boxes;
    Current.Hook = SetWindowsHookExA(WH_CBT, WatchWindows, nullptr, GetCurrentThreadId());
    CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr);

    SaverHooks saver = ProgramSaver;
    if (crash) saver.OnCreate = CrashingOnCreate;
    const std::vector<DataKind> kinds = DataKinds();
    // Two rounds: each value takes every kind of data twice, with two types.
    if (runs <= 0) runs = 2 * static_cast<int>(kinds.size());
    if (crash) runs = 1;
    const std::vector<RunShapes> plan = PlanRuns(*program, kinds, seed, runs);

    int failed = 0;
    DWORD slowest = 0;
    std::string slowestLabel;
    for (const RunShapes& r : plan)
        for (const char* mode : {"/s", "/c"}) {
            const DWORD t0 = GetTickCount();
            if (!Start(saver, mode, r, boxes)) ++failed;
            if (GetTickCount() - t0 > slowest) {
                slowest = GetTickCount() - t0;
                slowestLabel = std::string(mode) + " " + r.Label;
            }
        }
    UnhookWindowsHookEx(Current.Hook);
    DeleteKeyTree(KeyPath);
    std::printf("slowest start: %lu ms: %s\n", static_cast<unsigned long>(slowest), slowestLabel.c_str());
    std::printf("registry sweep %s: %d runs of /s and /c, seed %u, %d failed\n", ProgramSaver.Name, runs, seed,
                failed);
    return failed ? 1 : 0;
}
