#include "boss/boss_stage.hpp"

namespace kt {

void BossStageStep(Game&) {}

}  // namespace kt
