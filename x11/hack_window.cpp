#include "hack_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <time.h>

#include <cstdint>

#include "frame_texts.h"
#include "hack_program.h"

namespace {

constexpr long ForeignEvents = StructureNotifyMask;
constexpr long OwnEvents = StructureNotifyMask | KeyPressMask | ButtonPressMask | ExposureMask;
// How long a window manager may take to show our window.
constexpr int64_t MapTimeoutMs = 5000;

bool TakeGeometry(HackWindow& w)
{
    XWindowAttributes a{};
    if (!XGetWindowAttributes(w.Dpy, w.Win, &a)) return false;
    w.Vis = a.visual;
    w.Map = a.colormap;
    w.Depth = a.depth;
    w.Width = a.width;
    w.Height = a.height;
    return true;
}

// The screenshot the daemon hangs on its saver window before it blanks.
Pixmap DaemonScreenshot(Display* dpy, Window win)
{
    const Atom name = XInternAtom(dpy, "_SCREENSAVER_SCREENSHOT", True);
    if (name == None) return 0;
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    Pixmap p = 0;
    if (XGetWindowProperty(dpy, win, name, 0, 1, False, XA_PIXMAP, &type, &format, &items, &after, &data) ==
            Success &&
        type == XA_PIXMAP && format == 32 && items == 1)
        p = static_cast<Pixmap>(*reinterpret_cast<unsigned long*>(data));
    if (data) XFree(data);
    return p;
}

// What the screen shows under where our window will be, children
// included, taken before the window is mapped.
Pixmap CopyRoot(Display* dpy, Window root, int32_t width, int32_t height, int depth)
{
    Pixmap p = XCreatePixmap(dpy, root, static_cast<unsigned>(width), static_cast<unsigned>(height),
                             static_cast<unsigned>(depth));
    XGCValues v{};
    v.subwindow_mode = IncludeInferiors;
    GC gc = XCreateGC(dpy, root, GCSubwindowMode, &v);
    XCopyArea(dpy, root, p, gc, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), 0, 0);
    XFreeGC(dpy, gc);
    return p;
}

int64_t NowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return int64_t{t.tv_sec} * 1000 + t.tv_nsec / 1000000;
}

// Until the window shows; false when it has not within MapTimeoutMs (a
// window manager may keep it back).
bool WaitForMap(Display* dpy, Window win)
{
    const int64_t deadline = NowMs() + MapTimeoutMs;
    pollfd fd{ConnectionNumber(dpy), POLLIN, 0};
    for (;;) {
        XEvent e;
        // Reads what the connection holds into the queue, then searches it.
        while (XCheckWindowEvent(dpy, win, StructureNotifyMask, &e))
            if (e.type == MapNotify) return true;
        const int64_t left = deadline - NowMs();
        if (left <= 0) return false;
        poll(&fd, 1, static_cast<int>(left));
    }
}

bool OpenOwnWindow(const HackProgram& p, HackWindow& w)
{
    const int screen = DefaultScreen(w.Dpy);
    const Window root = RootWindow(w.Dpy, screen);
    const int32_t width = DisplayWidth(w.Dpy, screen), height = DisplayHeight(w.Dpy, screen);
    if (p.OverDesktop) {
        w.Desktop = CopyRoot(w.Dpy, root, width, height, DefaultDepth(w.Dpy, screen));
        w.DesktopOwned = true;
    }
    XSetWindowAttributes a{};
    a.background_pixel = BlackPixel(w.Dpy, screen);
    a.event_mask = OwnEvents;
    // A saver over the desktop keeps what it drew when parts are exposed.
    const unsigned long mask = (p.OverDesktop ? 0 : CWBackPixel) | CWEventMask;
    w.Win = XCreateWindow(w.Dpy, root, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                          CopyFromParent, InputOutput, CopyFromParent, mask, &a);
    if (!w.Win) {
        Tell(p.Name, FrameText::CannotMakeWindow);
        return false;
    }
    w.Own = true;
    XStoreName(w.Dpy, w.Win, p.Title);
    XClassHint hint{const_cast<char*>(p.Name), const_cast<char*>(p.Title)};
    XSetClassHint(w.Dpy, w.Win, &hint);
    w.DeleteWindow = XInternAtom(w.Dpy, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(w.Dpy, w.Win, &w.DeleteWindow, 1);
    // Full screen where a window manager honours it, as /s is on Windows.
    const Atom state = XInternAtom(w.Dpy, "_NET_WM_STATE", False);
    const Atom full = XInternAtom(w.Dpy, "_NET_WM_STATE_FULLSCREEN", False);
    XChangeProperty(w.Dpy, w.Win, state, XA_ATOM, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&full),
                    1);
    XMapRaised(w.Dpy, w.Win);
    // Drawing starts once the window shows.
    if (!WaitForMap(w.Dpy, w.Win)) {
        Tell(p.Name, FrameText::WindowNotShown, static_cast<int>(MapTimeoutMs / 1000));
        return false;
    }
    if (TakeGeometry(w)) return true;
    Tell(p.Name, FrameText::CannotMakeWindow);
    return false;
}

} // namespace

bool OpenHackWindow(const HackProgram& p, const HackCommand& c, HackWindow& w)
{
    w.Dpy = XOpenDisplay(c.DisplayName);
    if (!w.Dpy) {
        Tell(p.Name, FrameText::CannotOpenDisplay, XDisplayName(c.DisplayName));
        return false;
    }
    if (c.HasWindow || c.Root) {
        w.Win = c.HasWindow ? static_cast<Window>(c.WindowId) : DefaultRootWindow(w.Dpy);
        if (!TakeGeometry(w)) {
            Tell(p.Name, FrameText::NoSuchWindow, c.WindowId);
            return false;
        }
        XSelectInput(w.Dpy, w.Win, ForeignEvents);
        if (p.OverDesktop && c.HasWindow) w.Desktop = DaemonScreenshot(w.Dpy, w.Win);
    } else if (!OpenOwnWindow(p, w)) {
        return false;
    }
    if (w.Vis->c_class != TrueColor && w.Vis->c_class != DirectColor) {
        Tell(p.Name, FrameText::NoTrueColour);
        return false;
    }
    return true;
}

void CloseHackWindow(HackWindow& w)
{
    if (!w.Dpy) return;
    if (w.Desktop && w.DesktopOwned) XFreePixmap(w.Dpy, w.Desktop);
    if (w.Own && w.Win) XDestroyWindow(w.Dpy, w.Win);
    XCloseDisplay(w.Dpy);
    w = HackWindow{};
}

void PaintBackground(const HackWindow& w, bool overDesktop)
{
    GC gc = XCreateGC(w.Dpy, w.Win, 0, nullptr);
    if (!gc) return;
    if (!overDesktop) {
        XSetForeground(w.Dpy, gc, BlackPixel(w.Dpy, DefaultScreen(w.Dpy)));
        XFillRectangle(w.Dpy, w.Win, gc, 0, 0, static_cast<unsigned>(w.Width), static_cast<unsigned>(w.Height));
    } else if (w.Desktop) {
        Window root;
        int x, y;
        unsigned width = 0, height = 0, border, depth;
        if (XGetGeometry(w.Dpy, w.Desktop, &root, &x, &y, &width, &height, &border, &depth))
            XCopyArea(w.Dpy, w.Desktop, w.Win, gc, 0, 0, width, height, 0, 0);
    }
    XFreeGC(w.Dpy, gc);
}
