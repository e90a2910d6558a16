// The player's own folder for the game, as SDL finds it for this system.
#include <SDL.h>

#include "platform/fatal.hpp"
#include "platform/platform.hpp"

namespace kt {

std::filesystem::path UserDataDir() {
  char* path = SDL_GetPrefPath("", "kurara-tavo");
  if (!path) throw FatalError(std::string("no folder for the player's settings (") + SDL_GetError() + ")");
  std::filesystem::path dir(path);
  SDL_free(path);
  return dir;
}

}  // namespace kt
