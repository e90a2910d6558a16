#include "frontend/title.hpp"

namespace kt {

// Until the title sequence is built, the title hands straight to the stage.
void TitleStart(Game& g) { g.SceneId = scene::StageStart; }

void OpeningStep(Game&) {}

}  // namespace kt
