#include "loop/rollback.hpp"

#include <algorithm>
#include <array>
#include <string>

#include "frontend/menu.hpp"
#include "loop/frame_loop.hpp"
#include "loop/sound.hpp"
#include "loop/state_hash.hpp"
#include "loop/version.hpp"
#include "platform/bindings.hpp"

namespace kt {

namespace {

// The input bits in the order of a hero's actions.
constexpr std::array<uint16_t, kHeroActions> kActionBits{
    net::input::Left,  net::input::Right, net::input::Up,    net::input::Down,
    net::input::Punch, net::input::Spin,  net::input::Burst, net::input::Lift};

void Press(KeyTable& k, HeroSet hero, uint16_t bits) {
  for (size_t a = 0; a < kActionBits.size(); ++a)
    if (bits & kActionBits[a]) k[HeroVirtualKey(hero, static_cast<HeroAction>(a))] = true;
}

}  // namespace

uint16_t InputFromKeys(const KeyTable& k) {
  // Either hero's keys steer the one hero a player has online, so a player
  // used to the left hand's keys, or on the first pad, plays as well.
  uint16_t bits = 0;
  for (HeroSet hero : {HeroSet::Tavo, HeroSet::Kurara})
    for (size_t a = 0; a < kActionBits.size(); ++a)
      if (k[HeroVirtualKey(hero, static_cast<HeroAction>(a))]) bits = static_cast<uint16_t>(bits | kActionBits[a]);
  if (k[vk::Enter]) bits = static_cast<uint16_t>(bits | net::input::Enter);
  return bits;
}

KeyTable CombinedKeys(uint16_t tavo, uint16_t kurara, int32_t sceneId) {
  KeyTable k{};
  Press(k, HeroSet::Tavo, tavo);
  Press(k, HeroSet::Kurara, kurara);
  if ((tavo | kurara) & net::input::Enter) k[vk::Enter] = true;
  // The pause menu reads the arrow keys: both players move its cursor.
  if (sceneId == scene::Pause) {
    if (kurara & net::input::Up) k[vk::Up] = true;
    if (kurara & net::input::Down) k[vk::Down] = true;
  }
  return k;
}

DemoStart BeginOnlineGame(Game& g, const Snapshot& fresh, const net::Start& s) {
  RestoreSnapshot(g, fresh);
  g.rng.Seed(s.seed);
  StartClock(g, s.clock);
  g.PlayersOverride = 0;
  g.ExtraEnemiesOverride = false;
  g.KeyState.fill(false);
  const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
  std::vector<std::pair<std::string, std::string>> fields = {
      {"settings.EnemyAmount", std::to_string(s.settings.enemyAmount)},
      {"settings.LivesSetting", std::to_string(s.settings.lives)},
      {"settings.FullHitGauge", flag(s.settings.fullHit != 0)},
      {"settings.FullHurtGauge", flag(s.settings.fullHurt != 0)},
      {"settings.OnePlayerMode", "2"},
      {"settings.MogetaOff", flag(s.settings.mogeta == 0)},
      {"settings.ByoonOff", flag(s.settings.byoon == 0)},
  };
  ApplyStartFields(g, fields);
  // The menu gives each kind its count from the amount when it opens.
  SetEnemyCounts(g);
  const StageState& st = g.stage;
  for (const auto& [name, count] : {std::pair{"GekCount", st.GekCount}, {"KurosukeCount", st.KurosukeCount},
                                    {"PatattaCount", st.PatattaCount}, {"SikakyCount", st.SikakyCount},
                                    {"MogetaCount", st.MogetaCount}, {"ByoonCount", st.ByoonCount}})
    fields.emplace_back(name, std::to_string(count));
  fields.emplace_back("SceneId", std::to_string(scene::StageStart));
  g.SceneId = scene::StageStart;
  return DemoStart{s.seed, s.clock, 0, false, std::move(fields), {}};
}

std::vector<SoundRequest> SoundLedger::Played(int32_t frame, const std::vector<SoundRequest>& asked) {
  std::vector<SoundRequest>& before = played_[static_cast<size_t>(frame) % played_.size()];
  if (frame > newest_) {
    newest_ = frame;
    before = asked;
    return asked;
  }
  std::vector<SoundRequest> unheard = before, play;
  for (const SoundRequest& r : asked) {
    const auto it = std::find(unheard.begin(), unheard.end(), r);
    if (it != unheard.end())
      unheard.erase(it);
    else
      play.push_back(r);
  }
  before = asked;
  return play;
}

Rollback::Rollback(Game& g, Side side, const net::Start& start, const Snapshot& fresh, std::vector<std::ostream*> demo)
    : g_(g),
      side_(side),
      delay_(start.delay),
      clock0_(start.clock),
      start_(BeginOnlineGame(g, fresh, start)),
      demo_(demo),
      writing_(!demo.empty()),
      confirmed_(std::max(start.delay, uint8_t{1})) {
  // Nobody has pressed anything in the first frames: the delay's frames, and the first.
  for (int32_t f = 0; f <= confirmed_; ++f) {
    remoteFrame_[Slot(f)] = f;
    remote_[Slot(f)] = 0;
  }
  SaveSnapshot(g_, SnapOf(1), maps_);
  if (writing_) demo_.Header(kGameVersion, start_);
}

Rollback::~Rollback() {
  Finish();
  g_.audio.requests = nullptr;
  g_.display.skipDrawing = false;
}

Snapshot& Rollback::SnapOf(int32_t frame) {
  std::unique_ptr<Snapshot>& s = snaps_[SnapSlot(frame)];
  if (!s) s = std::make_unique<Snapshot>();
  return *s;
}

int32_t Rollback::LocalKnown() const { return std::max(next_ - 1 + delay_, std::max(delay_, 1)); }

uint16_t Rollback::RemoteFor(int32_t frame) const {
  const size_t s = Slot(frame);
  if (remoteFrame_[s] == frame) return remote_[s];
  return remote_[Slot(confirmed_)];  // the guess: the partner's last known input
}

Rollback::Took Rollback::TakeRemote(uint32_t frame, uint16_t bits) {
  const int64_t newest = int64_t{next_} + 2 * net::kMaxDelay + kMaxPrediction + 4;
  if (frame > newest || (bits & ~net::input::All) != 0) return Took::Impossible;
  const auto f = static_cast<int32_t>(frame);
  if (f <= confirmed_) return Took::Known;
  const size_t s = Slot(f);
  if (remoteFrame_[s] == f) return Took::Known;
  remote_[s] = bits;
  remoteFrame_[s] = f;
  // A frame already played on a guess that was wrong is played again.
  if (f < next_ && bits != used_[s]) wrongFrom_ = wrongFrom_ == 0 ? f : std::min(wrongFrom_, f);
  while (remoteFrame_[Slot(confirmed_ + 1)] == confirmed_ + 1) ++confirmed_;
  return Took::New;
}

bool Rollback::Run(bool advance, uint16_t local) {
  if (ended_) return false;
  bool drew = false;
  const int32_t last = advance ? next_ : next_ - 1;
  if (wrongFrom_ != 0) {
    RestoreSnapshot(g_, SnapOf(wrongFrom_));
    ++rollbacks_;
    for (int32_t f = wrongFrom_; f < next_; ++f) {
      Play(f, f == last);
      ++again_;
    }
    drew = !advance;
    wrongFrom_ = 0;
  }
  if (advance) {
    const int32_t target = next_ + delay_;
    if (target >= 2) local_[Slot(target)] = local & net::input::All;
    Play(next_, true);
    ++next_;
    drew = true;
  }
  while (!ended_ && final_ < std::min(confirmed_, next_ - 1)) Finalize(final_ + 1);
  return drew;
}

void Rollback::Play(int32_t frame, bool draw) {
  // The game holds the state before `frame`.
  const size_t s = Slot(frame);
  const uint16_t remote = RemoteFor(frame);
  used_[s] = remote;
  const uint16_t mine = local_[s];
  const bool host = side_ == Side::Host;
  keys_[s] = CombinedKeys(host ? mine : remote, host ? remote : mine, g_.SceneId);
  g_.KeyState = keys_[s];
  results_[s] = {};

  StepWatch* const watch = g_.stepWatch;
  std::ostream* const trace = g_.trace;
  g_.stepWatch = this;
  g_.trace = nullptr;
  g_.display.skipDrawing = !draw;
  requests_.clear();
  g_.audio.requests = &requests_;
  playing_ = frame;
  FrameStep(g_, clock0_ + kFrameMs * static_cast<uint32_t>(frame));
  g_.audio.requests = nullptr;
  g_.display.skipDrawing = false;
  g_.stepWatch = watch;
  g_.trace = trace;

  results_[s].sceneAfter = g_.SceneId;
  for (const SoundRequest& r : sounds_.Played(frame, requests_)) PlayRequest(g_, r);
  SaveSnapshot(g_, SnapOf(frame + 1), maps_);
}

void Rollback::AfterStep(const Game& g, int32_t sceneRan) {
  // A pass changes only the loop group after its step: the rest of the
  // step's hash is read from the snapshot after the pass when the frame is final.
  results_[Slot(playing_)] = {true, sceneRan, 0, LoopGroupHash(g)};
}

void Rollback::Finalize(int32_t frame) {
  const Result& r = results_[Slot(frame)];
  if (r.stepped) {
    StateHashes h = HashState(SnapOf(frame + 1));
    h.groups[static_cast<size_t>(HashGroup::Loop)] = r.loopHash;
    h.total = CombineGroups(h.groups);
    ++steps_;
    finalHashes_.push_back(h.total);
    if (writing_) {
      demo_.Check(StepCheck(h.total));
      if (steps_ == 1 || steps_ % kDemoCheckpointEvery == 0) {
        demo_.Checkpoint({steps_, r.sceneRan, h.groups});
        lastCheckpoint_ = steps_;
      }
    }
    lastGroups_ = h.groups;
    lastScene_ = r.sceneRan;
    if (frame % kCheckEvery == 0) {
      checks_.emplace_back(frame, h.total);
      if (checks_.size() > 64) checks_.erase(checks_.begin());
    }
  }
  // The pass before is complete now: the table this frame was played with is
  // what it delivered.
  if (frame >= 2) WritePass(frame - 1, &keys_[Slot(frame)]);
  final_ = frame;
  if (r.sceneAfter == scene::TitleSetup) ended_ = true;
}

void Rollback::WritePass(int32_t frame, const KeyTable* next) {
  if (!writing_) return;
  DemoPass p;
  // The frame loop reads the clock once more at the end of a pass whose next
  // scene is not paced; a replay hands out the readings in the same order.
  if (frame > 1 && ScenePace(results_[Slot(frame - 1)].sceneAfter) <= 0) p.ticks.push_back(0);
  p.ticks.push_back(static_cast<int32_t>(kFrameMs));
  if (next) {
    const KeyTable& now = keys_[Slot(frame)];
    for (size_t k = 0; k < now.size(); ++k)
      if ((*next)[k] != now[k]) p.keys.push_back({static_cast<uint8_t>(k), (*next)[k]});
  }
  demo_.Pass(p);
}

void Rollback::Finish() {
  if (finished_) return;
  finished_ = true;
  if (!writing_) return;
  if (final_ >= 1) WritePass(final_, nullptr);
  if (steps_ > 0 && lastCheckpoint_ != steps_) demo_.Checkpoint({steps_, lastScene_, lastGroups_});
  const int32_t scene = final_ >= 1 ? results_[Slot(final_)].sceneAfter : scene::StageStart;
  demo_.End({final_, steps_, scene, 0});
}

std::optional<uint64_t> Rollback::CheckHash(int32_t frame) const {
  for (const auto& [f, h] : checks_)
    if (f == frame) return h;
  return std::nullopt;
}

std::pair<int32_t, uint64_t> Rollback::LatestCheck() const {
  return checks_.empty() ? std::pair<int32_t, uint64_t>{0, 0} : checks_.back();
}

}  // namespace kt
