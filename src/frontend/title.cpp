#include "frontend/title.hpp"

#include "frontend/menu.hpp"

namespace kt {

// Until the title sequence and the menu are built, the title hands straight to
// the stage, with the enemy counts the menu would set.
void TitleStart(Game& g) {
  SetEnemyCounts(g);
  g.SceneId = scene::StageStart;
}

void OpeningStep(Game&) {}

}  // namespace kt
