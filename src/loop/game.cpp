#include "loop/game.hpp"

namespace kt {

Game::Game() = default;
Game::~Game() = default;

std::unique_ptr<Game> NewGame() { return std::make_unique<Game>(); }

}  // namespace kt
