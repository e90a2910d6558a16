// A hero who has lost his last life waits below the screen for the rest of
// the fight; the boss's beam, which reaches down that far, must not strike him.
#include <gtest/gtest.h>

#include "boss/fight_rig.hpp"

namespace kt {
namespace {

TEST(Boss, TheBeamPassesOverADeadHero) {
  for (const bool partnerWaits : {false, true}) {
    test::FightRig rig(2);
    Game& g = rig.g();
    Hero& t = rig.tavo();
    Hero& k = rig.kurara();
    // Tavo fell in the stage with no life left; Kurara led the way out, which
    // cleared his Hurt.
    t.State = hero::Dead;
    t.Lives = 0;
    t.Health = 0;
    t.Hurt = 0;
    t.Y = g.CameraY + 525;
    k.X = 500;
    if (partnerWaits) {
      // Kurara has just lost a life and waits to come back.
      k.State = hero::Dead;
      k.Lives = 1;
      k.Health = 0;
      k.Hurt = 1;
      k.Y = g.CameraY + 525;
    }
    g.Boss.HP = 1000;
    g.Boss.State = boss::Beam;
    g.Boss.Count = 0;
    g.BossBeam = {k.X - 300, g.CameraY, 635, 0};  // over the place where Tavo waits
    for (int n = 0; n < 45 && g.Boss.State == boss::Beam; ++n) {
      t.X = k.X - 260;  // not following: keep him under the beam
      rig.Step();
    }
    EXPECT_EQ(t.Lives, 0) << partnerWaits;
    EXPECT_EQ(t.State, hero::Dead);
    EXPECT_EQ(g.SceneId, scene::BossStage) << "a game over while Kurara has a life left";
  }
}

}  // namespace
}  // namespace kt
