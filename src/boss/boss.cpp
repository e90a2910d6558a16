#include "boss/boss.hpp"

namespace kt {

void BossReset(Game&) {}

}  // namespace kt
