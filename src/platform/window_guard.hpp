#pragma once
// A window destroyed from outside the game (a window manager or a tool that
// kills the window rather than asking it to close) must end the game through
// its normal shutdown, not through the window system's error handler. On X11
// the guard notices the destruction, keeps the errors that follow from
// ending the process, and tells the backend the window is gone; elsewhere it
// does nothing.
#include <SDL.h>

namespace kt::window_guard {

// Starts watching `window` (call once the window exists).
void Watch(SDL_Window* window);

// Stops watching, once the window is destroyed; the window system's own
// error handling is back.
void Release();

// True once the watched window no longer exists.
bool Gone();

// Looks at one window-system event (SDL_SYSWMEVENT) for the window's end.
void Notice(const SDL_Event& event);

}  // namespace kt::window_guard
