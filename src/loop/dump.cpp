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

void DumpSounds(const Game& g, JsonWriter& j) {
  j.BeginArray("playing");
  if (g.audio.mixer)
    for (int i = 0; i < kSoundCount; ++i)
      if (g.audio.mixer->Playing(i)) j.Value(SoundName(static_cast<Sfx>(i)));
  j.EndArray();
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
      .Field("PauseCursor", g.PauseCursor);
  j.BeginArray("KeyState");
  for (size_t k = 0; k < g.KeyState.size(); ++k)
    if (g.KeyState[k]) j.Value(static_cast<int64_t>(k));
  j.EndArray();
  DumpSettings(g.settings, j);
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
  j.EndObject();
  out << '\n';
}

}  // namespace kt
