// A plain X11 client for the window-in-front check: one window with the
// window class and title given, and the _NET_WM_PID of its process, as
// programs set them. It runs until killed. Copied under several names, it
// stands for several programs.
//   test-window INSTANCE CLASS
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: test-window INSTANCE CLASS\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 320, 200, 0, 0, 0);
    XClassHint hint{argv[1], argv[2]};
    XSetClassHint(display, window, &hint);
    XStoreName(display, window, argv[2]);
    const long pid = getpid();
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    XMapWindow(display, window);
    XFlush(display);
    XEvent event;
    for (;;)
        XNextEvent(display, &event);
}
