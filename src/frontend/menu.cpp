#include "frontend/menu.hpp"

namespace kt {

void SetEnemyCounts(Game& g) {
  struct Counts {
    int32_t amount, gek, kurosuke, patatta, sikaky, mogeta, byoon;
  };
  static constexpr Counts kCounts[] = {
      {10, 4, 14, 6, 2, 5, 5},
      {20, 5, 15, 3, 5, 5, 5},
      {30, 23, 12, 9, 7, 5, 5},
  };
  for (const Counts& c : kCounts) {
    if (c.amount != g.settings.EnemyAmount) continue;
    StageState& s = g.stage;
    s.GekCount = c.gek;
    s.KurosukeCount = c.kurosuke;
    s.PatattaCount = c.patatta;
    s.SikakyCount = c.sikaky;
    s.MogetaCount = c.mogeta;
    s.ByoonCount = c.byoon;
  }
}

void MenuSetup(Game&) {}
void MenuStep(Game&) {}

}  // namespace kt
