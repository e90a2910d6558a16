#include "loop/dump.hpp"

#include <ostream>

#include "loop/json.hpp"
#include "loop/state_fields.hpp"
#include "loop/state_hash.hpp"
#include "loop/trace.hpp"

namespace kt {

namespace {

// Writes what VisitState walks as JSON.
class JsonVisit {
 public:
  explicit JsonVisit(JsonWriter& j) : j_(j) {}
  void Begin(std::string_view key) { j_.BeginObject(key); }
  void End() { j_.EndObject(); }
  void BeginList(std::string_view key) { j_.BeginArray(key); }
  void EndList() { j_.EndArray(); }
  void Field(std::string_view key, const int32_t& v) { j_.Field(key, v); }
  void Field(std::string_view key, const bool& v) { j_.Field(key, v); }
  void Field(std::string_view key, const float& v) { j_.Field(key, static_cast<double>(v)); }
  void Derived(std::string_view key, int64_t v) { j_.Field(key, v); }
  void Keys(std::string_view key, const KeyTable& keys) {
    j_.BeginArray(key);
    for (size_t k = 0; k < keys.size(); ++k)
      if (keys[k]) j_.Value(static_cast<int64_t>(k));
    j_.EndArray();
  }

 private:
  JsonWriter& j_;
};

void DumpSounds(const Game& g, JsonWriter& j) {
  j.BeginArray("playing");
  if (g.audio.mixer)
    for (int i = 0; i < kSoundCount; ++i)
      if (g.audio.mixer->Playing(i)) j.Value(SoundName(static_cast<Sfx>(i)));
  j.EndArray();
}

// The controls card's last words and the bindings, by the settings file's
// names. The platform turns keys and buttons into the game's keys by these, so
// no step reads them: they are shown, not hashed.
void DumpControls(const Game& g, JsonWriter& j) {
  j.Field("ControlsNotice", g.card.Notice).Field("ControlsSwapped", g.card.Swapped);
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
  j.BeginObject();
  JsonVisit visit(j);
  VisitState(g, visit);
  DumpSounds(g, j);
  DumpControls(g, j);
  const StateHashes h = HashState(g);
  j.Field("StateHash", HashHex(h.total));
  j.BeginObject("StateHashes");
  for (size_t i = 0; i < kHashGroups; ++i) j.Field(HashGroupName(static_cast<HashGroup>(i)), HashHex(h.groups[i]));
  j.EndObject();
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
  j.Field("StateHash", HashHex(StateHash(g)));
  j.EndObject();
  out << '\n';
}

}  // namespace kt
