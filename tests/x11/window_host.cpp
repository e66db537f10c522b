// A plain window for the --window-id tests, as a host such as xscreensaver's
// settings preview gives one: WIDTHxHEIGHT at X,Y on the screen, its id
// printed once it is mapped. It stays until it is killed. With "screenshot"
// it also hangs a picture on the window as the xscreensaver daemon hangs
// its screenshot: the left half #3060a0, the right half #d0c080.
//
//   window_host WIDTH HEIGHT X Y [screenshot]
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 5 && argc != 6) {
        std::fprintf(stderr, "usage: window_host WIDTH HEIGHT X Y [screenshot]\n");
        return 2;
    }
    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) return 1;
    const int screen = DefaultScreen(dpy);
    // Grey, so that what a program draws stands out from it.
    const Window w = XCreateSimpleWindow(dpy, RootWindow(dpy, screen), std::atoi(argv[3]), std::atoi(argv[4]),
                                         static_cast<unsigned>(std::atoi(argv[1])),
                                         static_cast<unsigned>(std::atoi(argv[2])), 0, 0, 0x808080);
    if (argc == 6) {
        const unsigned width = static_cast<unsigned>(std::atoi(argv[1])), height = static_cast<unsigned>(std::atoi(argv[2]));
        const Pixmap p = XCreatePixmap(dpy, w, width, height, static_cast<unsigned>(DefaultDepth(dpy, screen)));
        GC gc = XCreateGC(dpy, p, 0, nullptr);
        XSetForeground(dpy, gc, 0x3060a0);
        XFillRectangle(dpy, p, gc, 0, 0, width / 2, height);
        XSetForeground(dpy, gc, 0xd0c080);
        XFillRectangle(dpy, p, gc, static_cast<int>(width / 2), 0, width - width / 2, height);
        XFreeGC(dpy, gc);
        const Atom name = XInternAtom(dpy, "_SCREENSAVER_SCREENSHOT", False);
        XChangeProperty(dpy, w, name, XA_PIXMAP, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(&p), 1);
    }
    XSelectInput(dpy, w, StructureNotifyMask);
    XMapWindow(dpy, w);
    XEvent e;
    do XNextEvent(dpy, &e);
    while (e.type != MapNotify);
    std::printf("0x%lx\n", w);
    std::fflush(stdout);
    for (;;) {
        XNextEvent(dpy, &e);
    }
}
