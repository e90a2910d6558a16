#include "loop/dump.hpp"

#include <ostream>

#include "loop/json.hpp"
#include "loop/trace.hpp"

namespace kt {

namespace {

void DumpSettings(const Settings& s, JsonWriter& j) {
  j.BeginObject("settings")
      .Field("EnemyAmount", s.EnemyAmount)
      .Field("EnemyAmountLow", s.EnemyAmountLow)
      .Field("EnemyAmountMid", s.EnemyAmountMid)
      .Field("EnemyAmountHigh", s.EnemyAmountHigh)
      .Field("AmountMarkX", s.AmountMarkX)
      .Field("HitGaugeMarkX", s.HitGaugeMarkX)
      .Field("HurtGaugeMarkX", s.HurtGaugeMarkX)
      .Field("LivesMarkX", s.LivesMarkX)
      .Field("LivesSetting", s.LivesSetting)
      .Field("FullHitGauge", s.FullHitGauge)
      .Field("FullHurtGauge", s.FullHurtGauge)
      .Field("OnePlayerMode", s.OnePlayerMode)
      .Field("MogetaOff", s.MogetaOff)
      .Field("ByoonOff", s.ByoonOff)
      .Field("DegToRad", static_cast<double>(s.DegToRad))
      .Field("GraphicsReady", s.GraphicsReady)
      .EndObject();
}

void DumpRect(const char* key, const Rect& r, JsonWriter& j) {
  j.BeginArray(key).Value(r.Left).Value(r.Top).Value(r.Right).Value(r.Bottom).EndArray();
}

void DumpHero(const char* key, const Hero& h, JsonWriter& j) {
  j.BeginObject(key);
  const std::pair<const char*, int32_t> fields[] = {
      {"X", h.X}, {"Y", h.Y}, {"Lives", h.Lives}, {"ThrowOriginX", h.ThrowOriginX}, {"Facing", h.Facing},
      {"Row", h.Row}, {"BodyX", h.BodyX}, {"BodyY", h.BodyY}, {"HandAX", h.HandAX}, {"HandAY", h.HandAY},
      {"HandBX", h.HandBX}, {"HandBY", h.HandBY}, {"FootAX", h.FootAX}, {"FootAY", h.FootAY},
      {"FootBX", h.FootBX}, {"FootBY", h.FootBY}, {"HipX", h.HipX}, {"HipY", h.HipY}, {"Vy", h.Vy},
      {"Health", h.Health}, {"Hurt", h.Hurt}, {"RespawnWait", h.RespawnWait}, {"State", h.State},
      {"Step", h.Step}, {"HurtTimer", h.HurtTimer}, {"Crouching", h.Crouching}, {"EffectRow", h.EffectRow},
      {"HitGauge", h.HitGauge}, {"HurtGauge", h.HurtGauge}, {"BurstStep", h.BurstStep}, {"HitCue", h.HitCue},
      {"HurtCue", h.HurtCue}, {"Carrying", h.Carrying}, {"Carried", h.Carried}, {"UpHeld", h.UpHeld},
      {"WalkRight", h.WalkRight}, {"WalkLeft", h.WalkLeft}, {"AttackTick", h.AttackTick},
      {"PickUpTick", h.PickUpTick}, {"DashCount", h.DashCount}, {"DashArmed", h.DashArmed}, {"Speed", h.Speed},
      {"WalkRightFrame", h.WalkRightFrame}, {"WalkLeftFrame", h.WalkLeftFrame}, {"BobFrame", h.BobFrame},
      {"Dashing", h.Dashing}, {"Out", h.Out}};
  for (const auto& [name, value] : fields) j.Field(name, value);
  DumpRect("HandRect", h.HandRect, j);
  DumpRect("FootRect", h.FootRect, j);
  DumpRect("HipRect", h.HipRect, j);
  DumpRect("SpinRightRect", h.SpinRightRect, j);
  DumpRect("SpinLeftRect", h.SpinLeftRect, j);
  DumpRect("SparkRect", h.SparkRect, j);
  // The burst's sparks fly while the burst itself runs.
  j.Field("ParticlesInFlight", h.State == hero::Burst ? static_cast<int64_t>(h.Particles.size()) : int64_t{0});
  j.EndObject();
}

void DumpStage(const Game& g, JsonWriter& j) {
  const StageState& s = g.stage;
  j.Field("ExitX", s.ExitX)
      .Field("ExitCount", s.ExitCount)
      .Field("CameraMaxX", s.CameraMaxX)
      .Field("CameraMaxY", s.CameraMaxY)
      .Field("WorldMaxX", s.WorldMaxX)
      .Field("WorldMaxY", s.WorldMaxY)
      .Field("FloorScrollX", s.FloorScrollX)
      .Field("GameOverTick", s.GameOverTick)
      .Field("GameOverScroll", s.GameOverScroll)
      .Field("HeroSwitchTick", s.HeroSwitchTick)
      .Field("HeroSwitchMark", s.HeroSwitchMark)
      .Field("ControlledHero", s.ControlledHero)
      .Field("OnePlayerMode", g.settings.OnePlayerMode)
      .Field("FarScrollX", g.hud.FarScrollX)
      .Field("NearScrollX", g.hud.NearScrollX)
      .Field("ComboCount", g.hud.ComboCount)
      .Field("ComboShow", g.hud.ComboShow)
      .Field("ComboX", g.hud.ComboX)
      .Field("ComboY", g.hud.ComboY)
      .Field("ComboTens", g.hud.ComboTens)
      .Field("ComboOnes", g.hud.ComboOnes)
      .Field("ComboTimer", g.hud.ComboTimer)
      .Field("BossPhase", g.bossStage.BossPhase)
      .Field("BackdropX", g.bossStage.BackdropX)
      .Field("PhaseMark", g.bossStage.PhaseMark);
}

void DumpBoss(const Game& g, JsonWriter& j) {
  const BossRecord& b = g.Boss;
  j.BeginObject("Boss");
  const std::pair<const char*, int32_t> fields[] = {
      {"X", b.X}, {"Y", b.Y}, {"HP", b.HP}, {"State", b.State}, {"Count", b.Count}, {"FallCount", b.FallCount},
      {"Decision", b.Decision}, {"WingStep", b.WingStep}, {"WingDir", b.WingDir}, {"WingRow", b.WingRow},
      {"HeadCol", b.HeadCol}, {"HeadRow", b.HeadRow}, {"ArmCol", b.ArmCol}, {"ArmRow", b.ArmRow},
      {"OrbX", b.OrbX}, {"OrbY", b.OrbY}, {"Flash", b.Flash}, {"FlashStep", b.FlashStep},
      {"SparkFrame", b.SparkFrame}, {"SparkY", b.SparkY}, {"HeadX", b.HeadX}, {"HeadY", b.HeadY},
      {"HandAX", b.HandAX}, {"HandAY", b.HandAY}, {"HandBX", b.HandBX}, {"HandBY", b.HandBY},
      {"FootAX", b.FootAX}, {"FootAY", b.FootAY}, {"FootBX", b.FootBX}, {"FootBY", b.FootBY},
      {"WingAX", b.WingAX}, {"WingAY", b.WingAY}, {"WingBX", b.WingBX}, {"WingBY", b.WingBY},
      {"BodyX", b.BodyX}, {"BodyY", b.BodyY}};
  for (const auto& [name, value] : fields) j.Field(name, value);
  j.EndObject();
  const BossBeamRecord& m = g.BossBeam;
  j.BeginObject("BossBeam")
      .Field("X", m.X)
      .Field("Y", m.Y)
      .Field("SrcTop", m.SrcTop)
      .Field("Falling", m.Falling)
      .EndObject();
}

void DumpEnding(const Game& g, JsonWriter& j) {
  const EndingState& e = g.ending;
  j.BeginObject("ending")
      .Field("EndingPhase", e.EndingPhase)
      .Field("EndingCount", e.EndingCount)
      .Field("EndingTick", e.EndingTick)
      .Field("CaptionX", e.CaptionX)
      .Field("CaptionY", e.CaptionY)
      .Field("CaptionTop", e.CaptionTop)
      .Field("CaptionPhase", e.CaptionPhase)
      .Field("StaffX", e.StaffX)
      .Field("StaffY", e.StaffY)
      .Field("StaffTop", e.StaffTop)
      .Field("StaffPhase", e.StaffPhase)
      .EndObject();
}

void DumpFrontEnd(const Game& g, JsonWriter& j) {
  const FrontEndState& f = g.front;
  j.BeginObject("frontend")
      .Field("OpeningTick", f.OpeningTick)
      .Field("OpeningPhase", f.OpeningPhase)
      .Field("BoxX", f.BoxX)
      .Field("BoxY", f.BoxY)
      .Field("BoxSpeed", f.BoxSpeed)
      .Field("BoxTop", f.BoxTop)
      .Field("BoxCount", f.BoxCount)
      .Field("FountainPattern", f.FountainPattern)
      .Field("FountainRounds", f.FountainRounds)
      .Field("FountainTick", f.FountainTick)
      .Field("PromptBlink", f.PromptBlink)
      .Field("MenuPollTick", f.MenuPollTick)
      .Field("MenuRow", f.MenuRow)
      .Field("MenuChoice", f.MenuChoice)
      .Field("OptionsRow", f.OptionsRow)
      .Field("StaffX", g.ending.StaffX)
      .Field("StaffY", g.ending.StaffY)
      .Field("PlayersOverride", g.PlayersOverride);
  j.EndObject();
}

// Every kind's count and the slots in play (1..count).
void DumpEnemies(const Game& g, JsonWriter& j) {
  const StageState& s = g.stage;
  const EnemyTables& t = g.enemies;
  struct Kind {
    const char* count;
    const char* table;
    int32_t slots;
    const EnemyTable& enemies;
    bool withBall;
  };
  const Kind kinds[] = {
      {"GekCount", "GekTable", s.GekCount, t.gek, true},
      {"KurosukeCount", "KurosukeTable", s.KurosukeCount, t.kurosuke, false},
      {"PatattaCount", "PatattaTable", s.PatattaCount, t.patatta, false},
      {"SikakyCount", "SikakyTable", s.SikakyCount, t.sikaky, false},
      {"MogetaCount", "MogetaTable", s.MogetaCount, t.mogeta, false},
      {"ByoonCount", "ByoonTable", s.ByoonCount, t.byoon, false},
  };
  for (const Kind& k : kinds) {
    j.Field(k.count, k.slots);
    j.BeginArray(k.table);
    for (int32_t i = 1; i <= k.slots && i < kEnemySlots; ++i) {
      const Enemy& e = k.enemies[static_cast<size_t>(i)];
      j.BeginObject()
          .Field("Slot", i)
          .Field("X", e.X)
          .Field("Y", e.Y)
          .Field("State", e.State)
          .Field("Health", e.Health)
          .Field("Gone", e.Gone)
          .Field("Sparking", e.Sparking)
          .Field("HitCount", e.HitCount);
      if (k.withBall) j.Field("ShotX", e.ShotX).Field("ShotY", e.ShotY).Field("Stationary", e.Stationary);
      j.EndObject();
    }
    j.EndArray();
  }
}

void DumpSounds(const Game& g, JsonWriter& j) {
  j.BeginArray("playing");
  if (g.audio.mixer)
    for (int i = 0; i < kSoundCount; ++i)
      if (g.audio.mixer->Playing(i)) j.Value(SoundName(static_cast<Sfx>(i)));
  j.EndArray();
}

// The controls card and the bindings, by the settings file's names.
void DumpControls(const Game& g, JsonWriter& j) {
  const ControlsCardState& c = g.card;
  j.BeginObject("ControlsCard")
      .Field("Shown", c.Shown)
      .Field("Row", c.Row)
      .Field("Column", c.Column)
      .Field("Waiting", c.Waiting)
      .Field("Notice", c.Notice)
      .Field("Swapped", c.Swapped)
      .EndObject();
  const Bindings& b = g.prefs.Controls;
  j.BeginObject("Controls");
  for (int set = 0; set < kHeroSets; ++set) {
    j.BeginObject(set == 0 ? "Kurara" : "Tavo");
    for (int a = 0; a < kHeroActions; ++a) {
      const auto action = static_cast<HeroAction>(a);
      j.BeginObject(HeroActionName(action))
          .Field("key", PhysKeyName(b.heroKeys[static_cast<size_t>(set)][static_cast<size_t>(a)]))
          .Field("pad", PadButtonName(b.heroPad[static_cast<size_t>(set)][static_cast<size_t>(a)]))
          .EndObject();
    }
    j.EndObject();
  }
  j.BeginObject("Shared");
  for (int a = 0; a < kSharedActions; ++a)
    j.BeginObject(SharedActionName(static_cast<SharedAction>(a)))
        .Field("key", PhysKeyName(b.sharedKeys[static_cast<size_t>(a)]))
        .Field("pad", PadButtonName(b.sharedPad[static_cast<size_t>(a)]))
        .EndObject();
  j.EndObject();
  j.EndObject();
}

}  // namespace

void DumpState(const Game& g, std::ostream& out) {
  JsonWriter j(out);
  j.BeginObject()
      .Field("SceneId", g.SceneId)
      .Field("FrameTick", g.FrameTick)
      .Field("LastStepTick", g.LastStepTick)
      .Field("LastPollTick", g.LastPollTick)
      .Field("CameraX", g.CameraX)
      .Field("CameraY", g.CameraY)
      .Field("CostumeToggle", g.CostumeToggle)
      .Field("PauseCursor", g.PauseCursor)
      .Field("QuitRequested", g.QuitRequested);
  j.BeginArray("KeyState");
  for (size_t k = 0; k < g.KeyState.size(); ++k)
    if (g.KeyState[k]) j.Value(static_cast<int64_t>(k));
  j.EndArray();
  // The frame loop's memory of the keys: the table of the last pass, presses
  // not yet seen by a step, and when each key that was ever pressed last
  // went down.
  j.BeginArray("KeyLevels");
  for (size_t k = 0; k < g.input.Levels.size(); ++k)
    if (g.input.Levels[k]) j.Value(static_cast<int64_t>(k));
  j.EndArray();
  j.BeginArray("KeyPending");
  for (size_t k = 0; k < g.input.Pending.size(); ++k)
    if (g.input.Pending[k]) j.Value(static_cast<int64_t>(k));
  j.EndArray();
  j.BeginObject("KeyPressTick");
  for (size_t k = 0; k < g.input.PressTick.size(); ++k)
    if (g.input.PressTick[k] != 0) j.Field(std::to_string(k), g.input.PressTick[k]);
  j.EndObject();
  DumpStage(g, j);
  DumpEnemies(g, j);
  DumpHero("Kurara", g.Kurara, j);
  DumpHero("Tavo", g.Tavo, j);
  DumpBoss(g, j);
  DumpSettings(g.settings, j);
  DumpControls(g, j);
  DumpFrontEnd(g, j);
  DumpEnding(g, j);
  DumpSounds(g, j);
  j.EndObject();
  out << '\n';
}

void WriteTraceLine(const Game& g, int32_t sceneRan, std::ostream& out) {
  JsonWriter j(out);
  j.BeginObject().Field("tick", g.FrameTick).Field("scene", sceneRan).Field("next", g.SceneId);
  const auto list = [&](std::string_view key, const std::vector<Sfx>& sounds) {
    j.BeginArray(key);
    for (Sfx s : sounds) j.Value(SoundName(s));
    j.EndArray();
  };
  list("once", g.audio.step.once);
  list("looping", g.audio.step.looping);
  list("stopped", g.audio.step.stopped);
  for (const auto& [key, h] : {std::pair<const char*, const Hero*>{"Kurara", &g.Kurara}, {"Tavo", &g.Tavo}}) {
    j.BeginObject(key)
        .Field("X", h->X)
        .Field("Y", h->Y)
        .Field("State", h->State)
        .Field("Step", h->Step)
        .Field("Vy", h->Vy)
        .EndObject();
  }
  j.Field("CameraX", g.CameraX).Field("CameraY", g.CameraY);
  j.EndObject();
  out << '\n';
}

}  // namespace kt
