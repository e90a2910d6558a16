// Tavo plays through the same code as Kurara; each of his differences is
// checked against Kurara in the same situation.
#include <gtest/gtest.h>

#include "stage_rig.hpp"

namespace kt {
namespace {

using test::StageRig;

struct Keys {
  uint8_t left, right, up, down, punch, spin, burst, pickUp;
};
constexpr Keys kKurara{'X', 'V', 'D', 'C', 'S', 'W', 'Q', 'A'};
constexpr Keys kTavo{vk::Left, vk::Right, vk::Up, vk::Down, 'L', 'O', 'I', 'K'};

// Runs `body` once for each hero: (rig, the hero, the partner, the hero's keys, isTavo).
template <typename F>
void ForBoth(F body) {
  for (bool isTavo : {false, true}) {
    StageRig rig;
    Hero& h = isTavo ? rig.tavo() : rig.kurara();
    Hero& p = isTavo ? rig.kurara() : rig.tavo();
    h.X = 400;
    p.X = 700;
    rig.Step();
    body(rig, h, p, isTavo ? kTavo : kKurara, isTavo);
  }
}

bool Played(StageRig& rig, const char* sound) { return rig.TakeTrace().find(sound) != std::string::npos; }

TEST(TavoDifferences, FootstepIsTestedBeforeTheMove) {
  ForBoth([](StageRig& rig, Hero& h, Hero&, const Keys& k, bool isTavo) {
    // The floor ends just past his front foot: ground before the step, none after.
    for (int c = (h.X + 80) / 20 + 1; c < 301; ++c)
      for (int r = 29; r < 32; ++r) rig.g().StageMap.At(c, r) = 0;
    h.X = ((h.X + 80) / 20 + 1) * 20 - 1 - 80;
    h.WalkRightFrame = 8;
    rig.TakeTrace();
    rig.Step({k.right});
    EXPECT_EQ(Played(rig, "Varuki"), isTavo);
  });
}

TEST(TavoDifferences, WalkingLeftKeepsTheRightFlagAndScrollsOnce) {
  ForBoth([](StageRig& rig, Hero& h, Hero& p, const Keys& k, bool isTavo) {
    Game& g = rig.g();
    g.CameraX = 300;
    h.X = 400;  // within 160 of the left edge
    p.X = 500;
    rig.Step({k.left});
    EXPECT_EQ(g.CameraX, isTavo ? 295 : 290);
    // At the edge he no longer moves, and only Kurara still scrolls the view.
    h.X = g.CameraX;
    const int32_t camera = g.CameraX;
    rig.Step({}, 5);
    rig.Step({k.left});
    EXPECT_EQ(g.CameraX, isTavo ? camera : camera - 5);
    // Both walk keys at once: the left key clears Kurara's right flag only.
    rig.Step({}, 5);
    rig.Step({k.right, k.left});
    EXPECT_EQ(h.WalkRight, isTavo ? 1 : 0);
    EXPECT_EQ(h.WalkLeft, 1);
  });
}

TEST(TavoDifferences, JumpCrouchWithoutTheRestingTest) {
  ForBoth([](StageRig& rig, Hero& h, Hero&, const Keys& k, bool isTavo) {
    h.Vy = -1;  // on the ground but still moving up
    rig.g().KeyState[k.up] = true;
    HeroInput(rig.g(), h, isTavo ? rig.kurara() : rig.tavo(), isTavo ? kTavoTraits : kKuraraTraits);
    EXPECT_EQ(h.State, isTavo ? hero::JumpCrouch : hero::Normal);
  });
}

TEST(TavoDifferences, DownIsIgnoredDuringTavosBurstForBoth) {
  ForBoth([](StageRig& rig, Hero& h, Hero& p, const Keys& k, bool isTavo) {
    Hero& tavo = isTavo ? h : p;
    Hero& other = isTavo ? p : h;
    other.State = hero::BurstGather;  // the burst of the one who is not Tavo blocks nobody
    h.Crouching = 0;
    rig.g().KeyState[k.down] = true;
    HeroInput(rig.g(), h, p, isTavo ? kTavoTraits : kKuraraTraits);
    EXPECT_EQ(h.Crouching, 1) << "Kurara's burst";
    other.State = hero::Normal;
    tavo.State = hero::BurstGather;
    h.Crouching = 0;
    HeroInput(rig.g(), h, p, isTavo ? kTavoTraits : kKuraraTraits);
    EXPECT_EQ(h.Crouching, 0) << "Tavo's burst";
  });
}

TEST(TavoDifferences, PunchRows) {
  ForBoth([](StageRig& rig, Hero& h, Hero&, const Keys& k, bool isTavo) {
    rig.Step({k.punch});
    EXPECT_EQ(h.Row, isTavo ? 420 : 0);
    rig.Step({k.punch});  // held: shown again after the pose reset
    EXPECT_EQ(h.Row, isTavo ? 420 : 0);
    rig.Step();
    EXPECT_EQ(h.Row, 0);
    rig.g().CostumeToggle = 1;
    rig.Step({}, 10);
    rig.Step({k.punch});
    EXPECT_EQ(h.Row, isTavo ? 300 : 0);  // the other look's attack row
  });
}

TEST(TavoDifferences, BurstStartRules) {
  ForBoth([](StageRig& rig, Hero& h, Hero& p, const Keys& k, bool isTavo) {
    h.HurtGauge = 5;
    h.BurstStep = 3;  // left over from a burst cut short
    rig.Step({k.burst});
    EXPECT_EQ(h.State, isTavo ? hero::Normal : hero::BurstGather);
    if (isTavo) {
      h.BurstStep = 0;
      h.Row = 60;
      p.HandAX = 0;
      rig.g().KeyState[k.burst] = true;
      HeroInput(rig.g(), h, p, kTavoTraits);
      EXPECT_EQ(h.State, hero::BurstGather);
      EXPECT_EQ(h.Row, 0);       // his own pose reset, no attack row
      EXPECT_EQ(p.HandAX, 0);    // the partner's pose untouched
      EXPECT_EQ(h.HandAX, h.X + 62);
    } else {
      EXPECT_EQ(h.Row, 300);
      EXPECT_EQ(p.HandAX, p.X + 62);
    }
  });
}

TEST(TavoDifferences, SpinDuringHisOwnBurst) {
  ForBoth([](StageRig& rig, Hero& h, Hero&, const Keys& k, bool isTavo) {
    h.HitGauge = 5;
    h.BurstStep = 4;
    h.AttackTick -= 5000;
    rig.Step({k.spin});
    EXPECT_EQ(h.State == hero::Spin, isTavo);
    if (isTavo) {
      EXPECT_EQ(h.Row, 420);
    }
  });
}

TEST(TavoDifferences, PickUpClearsTavosStep) {
  ForBoth([](StageRig& rig, Hero& h, Hero& p, const Keys& k, bool isTavo) {
    p.X = h.X;
    h.Step = 3;
    rig.g().KeyState[k.pickUp] = true;
    HeroInput(rig.g(), h, p, isTavo ? kTavoTraits : kKuraraTraits);
    ASSERT_EQ(h.Carrying, 1);
    EXPECT_EQ(h.Step, isTavo ? 0 : 3);
  });
}

TEST(TavoDifferences, HurtPoseLastsUntil30AndTheLeftKnockFacesByLook) {
  ForBoth([](StageRig& rig, Hero& h, Hero&, const Keys& k, bool isTavo) {
    h.State = hero::StruckFromLeft;
    h.Hurt = 1;
    rig.Step();
    EXPECT_EQ(h.Facing, isTavo ? 80 : 78);
    while (h.HurtTimer < 25) rig.Step({k.up});
    EXPECT_EQ(h.Row, isTavo ? 180 : 60);
    rig.Step({}, 40);
    rig.g().CostumeToggle = 1;
    h.State = hero::StruckFromLeft;
    h.Hurt = 1;
    rig.Step();
    EXPECT_EQ(h.Facing, 78);
  });
}

TEST(TavoDifferences, TavoDiesBelowZeroHealthToo) {
  ForBoth([](StageRig& rig, Hero& h, Hero&, const Keys&, bool isTavo) {
    h.Health = -1;  // two hits in one step
    rig.Step();
    EXPECT_EQ(h.State == hero::Dead, isTavo);
  });
}

TEST(TavoDifferences, CarryHandsAndTheEarlierThrow) {
  ForBoth([](StageRig& rig, Hero& h, Hero& p, const Keys& k, bool isTavo) {
    p.X = h.X;
    rig.Step({k.pickUp});
    ASSERT_EQ(h.Carrying, 1);
    EXPECT_EQ(h.HandAX, h.X + (isTavo ? 62 : 60));
    EXPECT_EQ(h.HandBX, h.X + (isTavo ? 5 : 7));
    EXPECT_EQ(p.X, h.X + 2);
    int steps = 0;
    while (h.Carrying == 1 && steps < 20) {
      rig.Step({k.pickUp});
      ++steps;
    }
    EXPECT_EQ(steps, isTavo ? 5 : 6);  // 160 ms > 150 ms, but not > 160 ms
  });
}

TEST(TavoDifferences, LooksExchangeWithTheCostume) {
  ForBoth([](StageRig& rig, Hero& h, Hero&, const Keys& k, bool isTavo) {
    const HeroTraits& t = isTavo ? kTavoTraits : kKuraraTraits;
    EXPECT_EQ(WearsFirstLook(rig.g(), t), !isTavo);
    EXPECT_EQ(CarriedRow(rig.g(), t), isTavo ? 480 : 360);
    rig.g().CostumeToggle = 1;
    EXPECT_EQ(WearsFirstLook(rig.g(), t), isTavo);
    EXPECT_EQ(AttackRow(rig.g(), t), isTavo ? 300 : 420);
    h.HitGauge = 5;
    h.AttackTick -= 5000;
    rig.Step({k.spin});
    EXPECT_EQ(h.Row, isTavo ? 300 : 420);
  });
}

}  // namespace
}  // namespace kt
