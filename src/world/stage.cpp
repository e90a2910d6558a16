#include "world/stage.hpp"

namespace kt {

void StageStart(Game& g) { g.SceneId = scene::WalkIn; }
void StageWalkIn(Game& g) { g.SceneId = scene::Gameplay; }
void StageTick(Game&) {}
void GameOverStep(Game&) {}

}  // namespace kt
