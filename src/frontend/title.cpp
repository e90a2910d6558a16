#include "frontend/title.hpp"

#include "frontend/menu.hpp"

namespace kt {

// Until the title sequence and the menu are built, the title hands straight to
// the stage, with the enemy counts the menu would set.
void TitleStart(Game& g) {
  // A game that ended in the boss stage leaves its phase and backdrop frame behind.
  g.bossStage.BossPhase = 0;
  g.bossStage.BackdropX = 0;
  SetEnemyCounts(g);
  g.SceneId = scene::StageStart;
}

void OpeningStep(Game&) {}

}  // namespace kt
