#include "platform/window_guard.hpp"

#if defined(KT_HAVE_X11)
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#endif

namespace kt::window_guard {

#if defined(KT_HAVE_X11)

namespace {

Display* display = nullptr;
::Window xwindow = 0;
bool gone = false;
int (*previous)(Display*, XErrorEvent*) = nullptr;

// Errors about the destroyed window (and anything after it went) are the
// expected echo of drawing into a window that no longer exists; every other
// error goes to the handler that was there before.
int OnError(Display* d, XErrorEvent* e) {
  if (gone || (xwindow != 0 && e->resourceid == xwindow)) {
    gone = true;
    return 0;
  }
  return previous ? previous(d, e) : 0;
}

// Sees the window system's events as SDL takes them in, before the game
// draws again.
int WatchEvents(void*, SDL_Event* event) {
  Notice(*event);
  return 1;
}

}  // namespace

void Watch(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  display = info.info.x11.display;
  xwindow = info.info.x11.window;
  gone = false;
  previous = XSetErrorHandler(&OnError);
  SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
  SDL_AddEventWatch(&WatchEvents, nullptr);
}

void Release() {
  if (!display) return;
  // Errors still on their way (from destroying what drew into a window
  // that was already gone) arrive now, while the guard still takes them.
  XSync(display, False);
  XSetErrorHandler(previous);
  SDL_DelEventWatch(&WatchEvents, nullptr);
  display = nullptr;
  xwindow = 0;
}

bool Gone() { return gone; }

void Notice(const SDL_Event& event) {
  if (event.type != SDL_SYSWMEVENT || !display || !event.syswm.msg) return;
  const SDL_SysWMmsg& msg = *event.syswm.msg;
  if (msg.subsystem != SDL_SYSWM_X11) return;
  const XEvent& x = msg.msg.x11.event;
  if (x.type == DestroyNotify && x.xdestroywindow.window == xwindow) gone = true;
}

#else

void Watch(SDL_Window*) {}
void Release() {}
bool Gone() { return false; }
void Notice(const SDL_Event&) {}

#endif

}  // namespace kt::window_guard
