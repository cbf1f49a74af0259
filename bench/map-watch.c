// Prints "ready" once it listens, then waits for the first top-level window whose name
// contains NEEDLE to be mapped and prints when (nanoseconds since the epoch, as date +%s%N).
// usage: map-watch NEEDLE
#define _POSIX_C_SOURCE 200809L
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static int named(Display* d, Window w, const char* needle) {
    XTextProperty p;
    int found = 0;
    if (XGetWMName(d, w, &p) && p.value) {
        char** list = NULL;
        int n = 0;
        if (Xutf8TextPropertyToTextList(d, &p, &list, &n) >= Success && n > 0)
            found = strstr(list[0], needle) != NULL;
        if (list)
            XFreeStringList(list);
        XFree(p.value);
    }
    return found;
}

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    Display* d = XOpenDisplay(NULL);
    if (!d)
        return 1;
    XSelectInput(d, DefaultRootWindow(d), SubstructureNotifyMask);
    XSync(d, False);
    puts("ready");
    fflush(stdout);
    for (;;) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == MapNotify && named(d, e.xmap.window, argv[1])) {
            struct timespec now;
            clock_gettime(CLOCK_REALTIME, &now);
            printf("%lld\n", now.tv_sec * 1000000000LL + now.tv_nsec);
            return 0;
        }
    }
}
