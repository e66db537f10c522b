#include "hack_main.h"

#include <poll.h>
#include <signal.h>
#include <time.h>

#include <csignal>
#include <cstdio>
#include <memory>

#include "failure_points.h"
#include "fps_meter.h"
#include "frame_texts.h"
#include "hack_window.h"
#include "random.h"
#include "table_program.h"
#include "user_language.h"
#include "x_canvas.h"

namespace {

// Set by SIGTERM (the daemon's way to end a hack) or SIGINT; the frame
// loop ends at its next look.
volatile sig_atomic_t Stopping = 0;

void OnStopSignal(int) { Stopping = 1; }

// Drawing into a window that has just gone fails; its DestroyNotify ends
// the run. Any other error is said and the run goes on.
int OnXError(Display* dpy, XErrorEvent* e)
{
    if (e->error_code == BadWindow || e->error_code == BadDrawable) return 0;
    char text[160];
    XGetErrorText(dpy, e->error_code, text, sizeof text);
    std::fprintf(stderr, FrameSays(FrameText::XError), text, e->request_code);
    std::fputc('\n', stderr);
    return 0;
}

void CatchStopSignals()
{
    struct sigaction a {};
    a.sa_handler = OnStopSignal;
    sigemptyset(&a.sa_mask);
    // No SA_RESTART: the wait between frames wakes up at once.
    sigaction(SIGTERM, &a, nullptr);
    sigaction(SIGINT, &a, nullptr);
}

int64_t Now()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return int64_t{t.tv_sec} * 1000000000 + t.tv_nsec;
}

enum class Next { Draw, Restart, End };

// Every event waiting: a new size asks for a new run; the window's end, or
// a key or a click in our own window, ends the program.
Next TakeEvents(HackWindow& w)
{
    Next next = Next::Draw;
    while (XPending(w.Dpy)) {
        XEvent e;
        XNextEvent(w.Dpy, &e);
        switch (e.type) {
        case ConfigureNotify:
            if (e.xconfigure.window == w.Win && (e.xconfigure.width != w.Width || e.xconfigure.height != w.Height)) {
                w.Width = e.xconfigure.width;
                w.Height = e.xconfigure.height;
                next = Next::Restart;
            }
            break;
        case DestroyNotify:
            if (e.xdestroywindow.window == w.Win) return Next::End;
            break;
        case KeyPress:
        case ButtonPress:
            if (w.Own) return Next::End;
            break;
        case ClientMessage:
            if (w.Own && static_cast<Atom>(e.xclient.data.l[0]) == w.DeleteWindow) return Next::End;
            break;
        default:
            break;
        }
    }
    return next;
}

// Until the deadline (ns), answering events as they come.
Next WaitUntil(HackWindow& w, int64_t deadline)
{
    pollfd fd{ConnectionNumber(w.Dpy), POLLIN, 0};
    for (;;) {
        const Next n = TakeEvents(w);
        if (n != Next::Draw || Stopping) return n;
        const int64_t left = deadline - Now();
        if (left <= 0) return Next::Draw;
        const timespec t{static_cast<time_t>(left / 1000000000), static_cast<long>(left % 1000000000)};
        ppoll(&fd, 1, &t, nullptr);
    }
}

struct Frame {
    const SaverTable* Table = nullptr;
    std::unique_ptr<XCanvas> Canvas;
    std::unique_ptr<SaverRun> Run;
    ~Frame() { Free(); }
    void Free()
    {
        // The run ends as on every platform; its fonts go before the canvas.
        if (Run) Table->End(*Run);
        Run.reset();
        Canvas.reset();
    }
};

// A new run for the window's size, on a fresh background, from the
// generator state the process started with: a run after a resize starts
// as a new process at that size would. The window is a run's only one, so
// it seeds, as the first window of a Windows run does.
bool StartWindowRun(const HackProgram& p, const SettingValues& values, HackWindow& w, Frame& f, uint32_t startState)
{
    f.Free();
    PaintBackground(w, p.OverDesktop);
    SeedRandom(startState);
    f.Canvas.reset(NewOrNull<XCanvas>(XSurface{w.Dpy, w.Win, w.Vis, w.Map, w.Width, w.Height}));
    if (!f.Canvas || !f.Canvas->Ready()) {
        Tell(p.Name, FrameText::CannotDraw);
        return false;
    }
    const RunView view = WholeWindowView(w.Width, w.Height, static_cast<uint32_t>(Now() / 1000000));
    f.Run = StartRun(*p.Table, values, *f.Canvas, view);
    if (!f.Run) {
        Tell(p.Name, FrameText::NoMemoryForRun);
        return false;
    }
    char notice[256] = "";
    if (f.Run->Notice) ShownText(*f.Run->Notice, notice, sizeof notice);
    if (notice[0]) std::fprintf(stderr, "%s: %s\n", p.Name, notice);
    return true;
}

int RunFrames(const HackProgram& p, const SettingValues& values, const HackCommand& c, HackWindow& w)
{
    const uint32_t startState = RandomState();
    Frame f;
    f.Table = p.Table;
    FpsMeter meter;
    Next next = Next::Restart;
    int64_t deadline = Now(), frames = 0;
    while (!Stopping && next != Next::End) {
        if (next == Next::Restart) {
            if (!StartWindowRun(p, values, w, f, startState)) return 1;
            deadline = Now();
        }
        const int64_t start = Now();
        p.Table->Draw(*f.Run, *f.Canvas);
        if (c.Fps) meter.Show(*f.Canvas);
        XSync(w.Dpy, False);
        meter.Count(Now() - start, Now());
        if (c.Frames && ++frames >= c.Frames) break;
        // A frame that took longer than the period starts the next at once,
        // and the late ones are not made up.
        deadline += int64_t{c.Delay} * 1000;
        if (deadline < Now()) deadline = Now();
        next = WaitUntil(w, deadline);
    }
    f.Free();
    if (c.Fps) meter.Report(p.Name);
    return 0;
}

} // namespace

int HackMain(const SaverTable& table, int argc, char** argv)
{
    TableProgram program;
    MakeTableProgram(table, program);
    const HackProgram& p = program.Program;
    HackCommand c;
    switch (ParseHackCommand(p, argc, argv, c)) {
    case ParseOutcome::Help:
        return 0;
    case ParseOutcome::Refused:
        return 2;
    case ParseOutcome::Run:
        break;
    }
    // The program's one settings object.
    SettingValues values;
    DefaultTableValues(table, values);
    if (!TakeTableSettings(c, program, values)) return 2;
    CatchStopSignals();
    XSetErrorHandler(OnXError);
    HackWindow w;
    int rc = 1;
    if (OpenHackWindow(p, c, w)) rc = RunFrames(p, values, c, w);
    CloseHackWindow(w);
    return rc;
}
