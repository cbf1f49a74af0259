/* A desktop for the snowfall test: a solid dark root and one window whose 30-pixel "title
 * bar" meets its light body in a horizontal edge. Neither has a white pixel. Prints "ready"
 * once both are on the screen and stays until it is killed.
 * usage: edge-window LEFT TOP WIDTH HEIGHT */
#include <X11/Xlib.h>
#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

enum { kRoot = 0x204020, kTitle = 0x3060C0, kBody = 0xC0C0C0, kTitleHeight = 30 };

int main(int argc, char** argv) {
    if (argc != 5) {
        fprintf(stderr, "usage: edge-window LEFT TOP WIDTH HEIGHT\n");
        return 2;
    }
    const int left = atoi(argv[1]), top = atoi(argv[2]);
    const int width = atoi(argv[3]), height = atoi(argv[4]);
    if (width <= 0 || height <= kTitleHeight) {
        fprintf(stderr, "edge-window: the window must be wider than 0 and higher than %d\n",
                kTitleHeight);
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "edge-window: cannot open the display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    XSetWindowBackground(display, root, kRoot);
    XClearWindow(display, root);
    /* The server paints both backgrounds itself, so the picture is back at once after
     * anything that covered it goes away. */
    const Window window = XCreateSimpleWindow(display, root, left, top, (unsigned)width,
                                              (unsigned)height, 0, 0, kTitle);
    const Window body = XCreateSimpleWindow(display, window, 0, kTitleHeight, (unsigned)width,
                                            (unsigned)(height - kTitleHeight), 0, 0, kBody);
    XStoreName(display, window, "edge window");
    XMapWindow(display, body);
    XMapWindow(display, window);
    XSync(display, False);
    printf("ready\n");
    fflush(stdout);
    for (;;)
        pause();
}
