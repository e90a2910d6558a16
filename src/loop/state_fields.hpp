#pragma once
// One walk over the game state the runner's dump shows, with the game's own
// names. The dump writes what it visits; the demo header sets start values
// through it by name; the tests change each visited field in turn to prove
// the state hash sees it. A field added here is therefore in the dump and
// under the hash test at once.
//
// A visitor has:
//   Begin(key) / End()            an object ("" for an element of a list)
//   BeginList(key) / EndList()    a list
//   Field(key, T& value)          int32_t, bool or float, const for a const game
//   Keys(key, KeyTable& keys)     the held keys, as a list of codes
//   Derived(key, int64_t value)   a value computed from other fields
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "loop/game.hpp"

namespace kt {

template <typename G>
concept GameRef = std::is_same_v<std::remove_const_t<G>, Game>;

namespace state_fields {

template <typename V, typename R>
void RectField(V& v, const char* key, R& r) {
  v.BeginList(key);
  v.Field("", r.Left);
  v.Field("", r.Top);
  v.Field("", r.Right);
  v.Field("", r.Bottom);
  v.EndList();
}

template <typename V, typename S>
void Settings(V& v, S& s) {
  v.Begin("settings");
  v.Field("EnemyAmount", s.EnemyAmount);
  v.Field("EnemyAmountLow", s.EnemyAmountLow);
  v.Field("EnemyAmountMid", s.EnemyAmountMid);
  v.Field("EnemyAmountHigh", s.EnemyAmountHigh);
  v.Field("AmountMarkX", s.AmountMarkX);
  v.Field("HitGaugeMarkX", s.HitGaugeMarkX);
  v.Field("HurtGaugeMarkX", s.HurtGaugeMarkX);
  v.Field("LivesMarkX", s.LivesMarkX);
  v.Field("LivesSetting", s.LivesSetting);
  v.Field("FullHitGauge", s.FullHitGauge);
  v.Field("FullHurtGauge", s.FullHurtGauge);
  v.Field("OnePlayerMode", s.OnePlayerMode);
  v.Field("MogetaOff", s.MogetaOff);
  v.Field("ByoonOff", s.ByoonOff);
  v.Field("DegToRad", s.DegToRad);
  v.Field("GraphicsReady", s.GraphicsReady);
  v.End();
}

template <typename V, typename H>
void HeroFields(V& v, const char* key, H& h) {
  v.Begin(key);
  v.Field("X", h.X);
  v.Field("Y", h.Y);
  v.Field("Lives", h.Lives);
  v.Field("ThrowOriginX", h.ThrowOriginX);
  v.Field("Facing", h.Facing);
  v.Field("Row", h.Row);
  v.Field("BodyX", h.BodyX);
  v.Field("BodyY", h.BodyY);
  v.Field("HandAX", h.HandAX);
  v.Field("HandAY", h.HandAY);
  v.Field("HandBX", h.HandBX);
  v.Field("HandBY", h.HandBY);
  v.Field("FootAX", h.FootAX);
  v.Field("FootAY", h.FootAY);
  v.Field("FootBX", h.FootBX);
  v.Field("FootBY", h.FootBY);
  v.Field("HipX", h.HipX);
  v.Field("HipY", h.HipY);
  v.Field("Vy", h.Vy);
  v.Field("Health", h.Health);
  v.Field("Hurt", h.Hurt);
  v.Field("RespawnWait", h.RespawnWait);
  v.Field("State", h.State);
  v.Field("Step", h.Step);
  v.Field("HurtTimer", h.HurtTimer);
  v.Field("Crouching", h.Crouching);
  v.Field("EffectRow", h.EffectRow);
  v.Field("HitGauge", h.HitGauge);
  v.Field("HurtGauge", h.HurtGauge);
  v.Field("BurstStep", h.BurstStep);
  v.Field("HitCue", h.HitCue);
  v.Field("HurtCue", h.HurtCue);
  v.Field("Carrying", h.Carrying);
  v.Field("Carried", h.Carried);
  v.Field("UpHeld", h.UpHeld);
  v.Field("WalkRight", h.WalkRight);
  v.Field("WalkLeft", h.WalkLeft);
  v.Field("AttackTick", h.AttackTick);
  v.Field("PickUpTick", h.PickUpTick);
  v.Field("DashCount", h.DashCount);
  v.Field("DashArmed", h.DashArmed);
  v.Field("Speed", h.Speed);
  v.Field("WalkRightFrame", h.WalkRightFrame);
  v.Field("WalkLeftFrame", h.WalkLeftFrame);
  v.Field("BobFrame", h.BobFrame);
  v.Field("Dashing", h.Dashing);
  v.Field("Out", h.Out);
  RectField(v, "HandRect", h.HandRect);
  RectField(v, "FootRect", h.FootRect);
  RectField(v, "HipRect", h.HipRect);
  RectField(v, "SpinRightRect", h.SpinRightRect);
  RectField(v, "SpinLeftRect", h.SpinLeftRect);
  RectField(v, "SparkRect", h.SparkRect);
  // The burst's sparks fly while the burst itself runs.
  v.Derived("ParticlesInFlight", h.State == hero::Burst ? static_cast<int64_t>(h.Particles.size()) : int64_t{0});
  v.End();
}

template <typename V, GameRef G>
void Stage(V& v, G& g) {
  auto& s = g.stage;
  v.Field("ExitX", s.ExitX);
  v.Field("ExitCount", s.ExitCount);
  v.Field("CameraMaxX", s.CameraMaxX);
  v.Field("CameraMaxY", s.CameraMaxY);
  v.Field("WorldMaxX", s.WorldMaxX);
  v.Field("WorldMaxY", s.WorldMaxY);
  v.Field("FloorScrollX", s.FloorScrollX);
  v.Field("GameOverTick", s.GameOverTick);
  v.Field("GameOverScroll", s.GameOverScroll);
  v.Field("HeroSwitchTick", s.HeroSwitchTick);
  v.Field("HeroSwitchMark", s.HeroSwitchMark);
  v.Field("ControlledHero", s.ControlledHero);
  v.Field("OnePlayerMode", g.settings.OnePlayerMode);
  v.Field("FarScrollX", g.hud.FarScrollX);
  v.Field("NearScrollX", g.hud.NearScrollX);
  v.Field("ComboCount", g.hud.ComboCount);
  v.Field("ComboShow", g.hud.ComboShow);
  v.Field("ComboX", g.hud.ComboX);
  v.Field("ComboY", g.hud.ComboY);
  v.Field("ComboTens", g.hud.ComboTens);
  v.Field("ComboOnes", g.hud.ComboOnes);
  v.Field("ComboTimer", g.hud.ComboTimer);
  v.Field("BossPhase", g.bossStage.BossPhase);
  v.Field("BackdropX", g.bossStage.BackdropX);
  v.Field("PhaseMark", g.bossStage.PhaseMark);
}

// Every kind's count and the slots in play (1..count).
template <typename V, GameRef G>
void Enemies(V& v, G& g) {
  auto& s = g.stage;
  auto& t = g.enemies;
  const auto kind = [&](const char* count, const char* table, auto& slots, auto& enemies, bool withBall) {
    v.Field(count, slots);
    v.BeginList(table);
    for (int32_t i = 1; i <= slots && i < kEnemySlots; ++i) {
      auto& e = enemies[static_cast<size_t>(i)];
      v.Begin("");
      v.Derived("Slot", i);
      v.Field("X", e.X);
      v.Field("Y", e.Y);
      v.Field("State", e.State);
      v.Field("Health", e.Health);
      v.Field("Gone", e.Gone);
      v.Field("Sparking", e.Sparking);
      v.Field("HitCount", e.HitCount);
      if (withBall) {
        v.Field("ShotX", e.ShotX);
        v.Field("ShotY", e.ShotY);
        v.Field("Stationary", e.Stationary);
      }
      v.End();
    }
    v.EndList();
  };
  kind("GekCount", "GekTable", s.GekCount, t.gek, true);
  kind("KurosukeCount", "KurosukeTable", s.KurosukeCount, t.kurosuke, false);
  kind("PatattaCount", "PatattaTable", s.PatattaCount, t.patatta, false);
  kind("SikakyCount", "SikakyTable", s.SikakyCount, t.sikaky, false);
  kind("MogetaCount", "MogetaTable", s.MogetaCount, t.mogeta, false);
  kind("ByoonCount", "ByoonTable", s.ByoonCount, t.byoon, false);
}

template <typename V, GameRef G>
void Boss(V& v, G& g) {
  auto& b = g.Boss;
  v.Begin("Boss");
  v.Field("X", b.X);
  v.Field("Y", b.Y);
  v.Field("HP", b.HP);
  v.Field("State", b.State);
  v.Field("Count", b.Count);
  v.Field("FallCount", b.FallCount);
  v.Field("Decision", b.Decision);
  v.Field("WingStep", b.WingStep);
  v.Field("WingDir", b.WingDir);
  v.Field("WingRow", b.WingRow);
  v.Field("HeadCol", b.HeadCol);
  v.Field("HeadRow", b.HeadRow);
  v.Field("ArmCol", b.ArmCol);
  v.Field("ArmRow", b.ArmRow);
  v.Field("OrbX", b.OrbX);
  v.Field("OrbY", b.OrbY);
  v.Field("Flash", b.Flash);
  v.Field("FlashStep", b.FlashStep);
  v.Field("SparkFrame", b.SparkFrame);
  v.Field("SparkY", b.SparkY);
  v.Field("HeadX", b.HeadX);
  v.Field("HeadY", b.HeadY);
  v.Field("HandAX", b.HandAX);
  v.Field("HandAY", b.HandAY);
  v.Field("HandBX", b.HandBX);
  v.Field("HandBY", b.HandBY);
  v.Field("FootAX", b.FootAX);
  v.Field("FootAY", b.FootAY);
  v.Field("FootBX", b.FootBX);
  v.Field("FootBY", b.FootBY);
  v.Field("WingAX", b.WingAX);
  v.Field("WingAY", b.WingAY);
  v.Field("WingBX", b.WingBX);
  v.Field("WingBY", b.WingBY);
  v.Field("BodyX", b.BodyX);
  v.Field("BodyY", b.BodyY);
  v.End();
  auto& m = g.BossBeam;
  v.Begin("BossBeam");
  v.Field("X", m.X);
  v.Field("Y", m.Y);
  v.Field("SrcTop", m.SrcTop);
  v.Field("Falling", m.Falling);
  v.End();
}

template <typename V, GameRef G>
void FrontEnd(V& v, G& g) {
  auto& f = g.front;
  v.Begin("frontend");
  v.Field("OpeningTick", f.OpeningTick);
  v.Field("OpeningPhase", f.OpeningPhase);
  v.Field("BoxX", f.BoxX);
  v.Field("BoxY", f.BoxY);
  v.Field("BoxSpeed", f.BoxSpeed);
  v.Field("BoxTop", f.BoxTop);
  v.Field("BoxCount", f.BoxCount);
  v.Field("FountainPattern", f.FountainPattern);
  v.Field("FountainRounds", f.FountainRounds);
  v.Field("FountainTick", f.FountainTick);
  v.Field("PromptBlink", f.PromptBlink);
  v.Field("MenuPollTick", f.MenuPollTick);
  v.Field("MenuRow", f.MenuRow);
  v.Field("MenuChoice", f.MenuChoice);
  v.Field("OptionsRow", f.OptionsRow);
  v.Field("StaffX", g.ending.StaffX);
  v.Field("StaffY", g.ending.StaffY);
  v.Field("PlayersOverride", g.PlayersOverride);
  v.End();
}

template <typename V, GameRef G>
void Ending(V& v, G& g) {
  auto& e = g.ending;
  v.Begin("ending");
  v.Field("EndingPhase", e.EndingPhase);
  v.Field("EndingCount", e.EndingCount);
  v.Field("EndingTick", e.EndingTick);
  v.Field("CaptionX", e.CaptionX);
  v.Field("CaptionY", e.CaptionY);
  v.Field("CaptionTop", e.CaptionTop);
  v.Field("CaptionPhase", e.CaptionPhase);
  v.Field("StaffX", e.StaffX);
  v.Field("StaffY", e.StaffY);
  v.Field("StaffTop", e.StaffTop);
  v.Field("StaffPhase", e.StaffPhase);
  v.End();
}

template <typename V, typename G>
void Card(V& v, G& g) {
  auto& c = g.card;
  v.Begin("ControlsCard");
  v.Field("Shown", c.Shown);
  v.Field("Row", c.Row);
  v.Field("Column", c.Column);
  v.Field("Waiting", c.Waiting);
  v.Field("StepTick", c.StepTick);
  v.Field("RepeatTick", c.RepeatTick);
  v.Field("HoldUsed", c.HoldUsed);
  v.BeginList("PressTicks");
  for (auto& tick : c.PressTicks) v.Field("", tick);
  v.EndList();
  v.End();
}

}  // namespace state_fields

// The fields of the top-level dump object, in the dump's order (the sounds
// playing, which the mixer holds, come after them).
template <typename V, GameRef G>
void VisitState(G& g, V& v) {
  v.Field("SceneId", g.SceneId);
  v.Field("FrameTick", g.FrameTick);
  v.Field("LastStepTick", g.LastStepTick);
  v.Field("LastPollTick", g.LastPollTick);
  v.Field("CameraX", g.CameraX);
  v.Field("CameraY", g.CameraY);
  v.Field("CostumeToggle", g.CostumeToggle);
  v.Field("PauseCursor", g.PauseCursor);
  v.Field("QuitRequested", g.QuitRequested);
  v.Keys("KeyState", g.KeyState);
  // The frame loop's memory of the keys: the table of the last pass, presses
  // not yet seen by a step, and when each key last went down.
  v.Keys("KeyLevels", g.input.Levels);
  v.Keys("KeyPending", g.input.Pending);
  v.BeginList("KeyPressTick");
  for (auto& tick : g.input.PressTick) v.Field("", tick);
  v.EndList();
  state_fields::Stage(v, g);
  state_fields::Enemies(v, g);
  state_fields::HeroFields(v, "Kurara", g.Kurara);
  state_fields::HeroFields(v, "Tavo", g.Tavo);
  state_fields::Boss(v, g);
  state_fields::Settings(v, g.settings);
  state_fields::FrontEnd(v, g);
  state_fields::Ending(v, g);
  state_fields::Card(v, g);
}

}  // namespace kt

namespace kt {

// A visitor base that knows the dotted path of each field it is shown:
// "SceneId", "Kurara.X", "Kurara.HandRect.2", "GekTable.0.X" (list elements
// by their place in the list). Derived visitors call Path(key) in Field.
class PathVisitor {
 public:
  void Begin(std::string_view key) { Push(key, false); }
  void End() { Pop(); }
  void BeginList(std::string_view key) { Push(key, true); }
  void EndList() { Pop(); }
  void Derived(std::string_view, int64_t) {}

 protected:
  std::string Path(std::string_view key) {
    std::string p = prefix_;
    p += Name(key);
    return p;
  }

 private:
  struct Level {
    size_t length;
    bool list;
    int next;
  };
  std::string Name(std::string_view key) {
    if (!levels_.empty() && levels_.back().list) return std::to_string(levels_.back().next++);
    return std::string(key);
  }
  void Push(std::string_view key, bool list) {
    const size_t length = prefix_.size();
    prefix_ += Name(key);
    prefix_ += '.';
    levels_.push_back({length, list, 0});
  }
  void Pop() {
    prefix_.resize(levels_.back().length);
    levels_.pop_back();
  }

  std::string prefix_;
  std::vector<Level> levels_;
};

}  // namespace kt
