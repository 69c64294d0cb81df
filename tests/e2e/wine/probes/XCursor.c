/* x-cursor: the pointer the X server shows now, as Wine handed it over: its size, hot spot and
 * picture (x-cursor-row-NN lines of 'X' black, 'o' white, '.' transparent, '?' any other colour).
 * Built by the Wine cases on the host: cc XCursor.c -lX11 -lXfixes. */
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <stdio.h>

int main(void) {
    Display* display = XOpenDisplay(NULL);
    if (!display) {
        fprintf(stderr, "x-cursor: no X display\n");
        return 1;
    }
    int eventBase = 0, errorBase = 0;
    XFixesCursorImage* image = XFixesQueryExtension(display, &eventBase, &errorBase) ? XFixesGetCursorImage(display)
                                                                                      : NULL;
    if (!image) {
        fprintf(stderr, "x-cursor: the X server does not tell its cursor\n");
        XCloseDisplay(display);
        return 1;
    }
    printf("x-cursor-size=%ux%u\nx-cursor-hotspot=%u,%u\n", image->width, image->height, image->xhot, image->yhot);
    for (unsigned y = 0; y < image->height; ++y) {
        printf("x-cursor-row-%02u=", y);
        for (unsigned x = 0; x < image->width; ++x) {
            const unsigned long argb = image->pixels[y * image->width + x];
            const unsigned long rgb = argb & 0xFFFFFFul;
            putchar((argb >> 24) < 0x80 ? '.' : rgb == 0 ? 'X' : rgb == 0xFFFFFFul ? 'o' : '?');
        }
        putchar('\n');
    }
    XFree(image);
    XCloseDisplay(display);
    return 0;
}
