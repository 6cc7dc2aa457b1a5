// The measurement floor for bench/startup: a raw Xlib window titled
// "Lumbrix" with Lumbrix's client size, drawing four box outlines, a button
// outline and one string on its first Expose. No toolkit, no fonts beyond the
// server's own, so what it costs is process start plus X round trips.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fputs("cannot open the display\n", stderr);
    return 1;
  }
  const int screen = DefaultScreen(display);
  const unsigned long white = WhitePixel(display, screen);
  const unsigned long black = BlackPixel(display, screen);
  const Window window =
      XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 163, 57, 0, black, white);
  XStoreName(display, window, "Lumbrix");
  const Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display, window, const_cast<Atom*>(&deleteWindow), 1);
  XSelectInput(display, window, ExposureMask);
  XMapWindow(display, window);

  const GC gc = XCreateGC(display, window, 0, nullptr);
  XSetForeground(display, gc, black);
  for (;;) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == Expose && event.xexpose.count == 0) {
      XDrawRectangle(display, window, gc, 0, 0, 136, 16);
      XDrawRectangle(display, window, gc, 136, 0, 24, 16);
      XDrawRectangle(display, window, gc, 0, 16, 136, 18);
      XDrawRectangle(display, window, gc, 136, 16, 24, 18);
      XDrawRectangle(display, window, gc, 8, 40, 147, 14);
      XDrawString(display, window, gc, 3, 13, "632.8", 5);
      XFlush(display);
    } else if (event.type == ClientMessage &&
               static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow) {
      break;
    }
  }
  XFreeGC(display, gc);
  XDestroyWindow(display, window);
  XCloseDisplay(display);
  return 0;
}
