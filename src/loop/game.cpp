#include "loop/game.hpp"

namespace kt {

Game::Game() {
  // With the largest enemy amount the kurosuke placement leaves slot 6 where it
  // was; in a first game that is here, where the other amounts put it.
  enemies.kurosuke[6].X = 1750;
  enemies.kurosuke[6].Y = 360;
}

Game::~Game() = default;

std::unique_ptr<Game> NewGame() { return std::make_unique<Game>(); }

}  // namespace kt
