#include "loop/net_play.hpp"

#include <chrono>
#include <cstdio>
#include <random>

#include "hud/label.hpp"
#include "loop/demo.hpp"
#include "loop/draw.hpp"
#include "loop/frame_loop.hpp"
#include "loop/rollback.hpp"
#include "loop/sound.hpp"
#include "loop/ticks.hpp"

namespace kt {

namespace {

constexpr uint32_t kGreetingMs = 5000;  // versions must be compared within this
constexpr uint32_t kDialMs = 10000;     // a host that does not answer within this cannot be reached
constexpr uint32_t kAskMs = 5000;       // a host that does not start a game asked for within this is busy
constexpr uint32_t kNoticeMs = 4000;    // a stopped game's message shows this long

bool Since(uint32_t now, uint32_t then, uint32_t ms) {
  return TimePassed(static_cast<int32_t>(now), static_cast<int32_t>(then), ms);
}

// Whether the moment `at` has come.
bool Reached(uint32_t now, uint32_t at) { return static_cast<int32_t>(now - at) >= 0; }

void StopAllSounds(Game& g) {
  for (int i = 0; i < kSoundCount; ++i) SoundStop(g, static_cast<Sfx>(i));
}

uint64_t RandomSeed() {
  std::random_device device;
  return (uint64_t{device()} << 32) ^ device() ^
         static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
}

std::string RefusalText(const net::Refuse& r, const std::string& ours) {
  switch (r.reason) {
    case net::RefuseReason::Busy: return "THE HOST ALREADY HAS A PARTNER";
    case net::RefuseReason::Data: return "REFUSED: THE HOST HAS OTHER DATA FILES";
    case net::RefuseReason::Protocol:
    case net::RefuseReason::Version: return "REFUSED: THE HOST RUNS VERSION " + r.version + " - THIS IS " + ours;
  }
  return "REFUSED BY THE HOST";
}

}  // namespace

// The device, with the messages drawn over every picture it shows.
class NetPlay::Screen final : public Platform {
 public:
  Screen(Platform& device, const NetPlay& owner) : device_(device), owner_(owner) {}
  uint32_t Ticks() override { return device_.Ticks(); }
  Mixer& OpenAudio() override { return device_.OpenAudio(); }
  void OpenDisplay() override { device_.OpenDisplay(); }
  void Show(const Surface& front) override {
    // Most pictures of a game have nothing drawn over them: those go out as
    // they are, without a copy.
    if (!owner_.HasOverlay()) {
      device_.Show(front);
      return;
    }
    shown_ = front;
    owner_.DrawOverlay(shown_);
    device_.Show(shown_);
  }
  uint64_t Presents() const override { return device_.Presents(); }
  void ProcessMessages(KeyTable& keys) override { device_.ProcessMessages(keys); }
  void IdleUntil(uint32_t dueTick) override { device_.IdleUntil(dueTick); }
  void ReportFatal(const std::string& message) override { device_.ReportFatal(message); }

 private:
  Platform& device_;
  const NetPlay& owner_;
  Surface shown_;
};

NetPlay::NetPlay(Game& g, Platform& device, NetOptions options)
    : g_(g), device_(device), options_(std::move(options)), screen_(std::make_unique<Screen>(device, *this)) {
  SaveSnapshot(g_, fresh_, maps_);
  const uint32_t now = device_.Ticks();
  if (options_.host) {
    link_ = NetLink::Listen(options_.port, options_.bind);
    mode_ = Mode::Waiting;
  } else {
    link_ = NetLink::Dial(options_.hostName, options_.port);
    mode_ = Mode::Dialing;
  }
  link_->SetClock(now);
  since_ = now;
  SetMessage(Status());
}

NetPlay::~NetPlay() {
  online_.reset();
  lingering_.reset();
}

// ---- the passes --------------------------------------------------------------------

bool NetPlay::Pass() {
  const uint32_t now = device_.Ticks();
  link_->SetClock(now);
  Events(now);
  if (lingering_) {
    lingering_->Pass(now, 0);
    if (lingering_->Done(now)) {
      lingering_.reset();
      lingeringFile_.reset();
    }
  }
  if (mode_ == Mode::Playing || mode_ == Mode::Notice) return OnlinePass(now);
  return LocalPass(now);
}

bool NetPlay::LocalPass(uint32_t now) {
  Idle(now);
  if (!FramePass(g_, *screen_)) {
    Leave();
    return false;
  }
  // Connected, a game started from the main menu is an online game.
  if ((mode_ == Mode::Idle || mode_ == Mode::Asking) && g_.SceneId == scene::StageStart) {
    if (options_.host) {
      StartGame(now);
    } else {
      g_.SceneId = scene::Menu;
      Send(net::Again{}, true);
      mode_ = Mode::Asking;
      since_ = now;
      SetMessage(Status());
    }
  }
  return true;
}

bool NetPlay::OnlinePass(uint32_t now) {
  bool drew = false;
  if (mode_ == Mode::Playing) {
    drew = online_->Pass(now, pending_);
    if (online_->Advanced()) pending_ = 0;
    switch (online_->GetState()) {
      case OnlineGame::State::Playing: break;
      case OnlineGame::State::Ended: EndGame(now); return true;
      case OnlineGame::State::PartnerLeft:
        link_->Drop(partner_);
        partner_ = 0;
        Stop("YOUR PARTNER LEFT", now);
        break;
      case OnlineGame::State::OutOfStep: {
        const int32_t frame = online_->OutOfStepFrame();
        Stop("OUT OF STEP WITH YOUR PARTNER AT FRAME " + std::to_string(frame), now);
        link_->Close(partner_);
        partner_ = 0;
        break;
      }
    }
    if (indicator_ && online_ && Since(now, indicatorAt_, 250)) {
      indicatorAt_ = now;
      const std::string text = "ROUND TRIP " + std::to_string(online_->RoundTrip()) + " MS   ROLLBACKS " +
                               std::to_string(online_->RollbacksPerSecond()) + "/S";
      if (text != indicatorText_) {
        indicatorText_ = text;
        overlayChanged_ = true;
      }
    }
  } else if (Reached(now, noticeUntil_)) {
    EndGame(now);
    return true;
  }
  if (drew || overlayChanged_) {
    Present(g_, *screen_, true);
    overlayChanged_ = false;
  }
  screen_->ProcessMessages(keys_);
  if (keys_[vk::Escape]) {
    Leave();
    return false;
  }
  pending_ = static_cast<uint16_t>(pending_ | InputFromKeys(keys_));
  // N shows or hides the indicator.
  if (keys_['N'] && !nWasDown_) {
    indicator_ = !indicator_;
    indicatorText_.clear();
    indicatorAt_ = now - 1000;
    overlayChanged_ = true;
  }
  nWasDown_ = keys_['N'];
  const uint32_t due = mode_ == Mode::Playing ? online_->NextDue() : now + 20;
  screen_->IdleUntil(static_cast<int32_t>(due - (now + 4)) > 0 ? now + 4 : due);
  return true;
}

// Time-outs of the modes without a game, and the passing notes.
void NetPlay::Idle(uint32_t now) {
  if (mode_ == Mode::Greeting && Since(now, since_, kGreetingMs)) {
    link_->Drop(partner_);
    partner_ = 0;
    mode_ = options_.host ? Mode::Waiting : Mode::Alone;
    Note(options_.host ? "A PARTNER DID NOT ANSWER" : "NO ANSWER FROM THE HOST", now);
  } else if (mode_ == Mode::Dialing && Since(now, since_, kDialMs)) {
    link_->Drop(partner_);
    partner_ = 0;
    mode_ = Mode::Alone;
    Note("COULD NOT REACH " + options_.hostName, now);
  } else if (mode_ == Mode::Asking && Since(now, since_, kAskMs)) {
    mode_ = Mode::Idle;
    Note("THE HOST DID NOT START A GAME", now);
  }
  if (!note_.empty() && Reached(now, noteUntil_)) note_.clear();
  SetMessage(note_.empty() ? Status() : note_);
}

std::string NetPlay::Status() const {
  switch (mode_) {
    case Mode::Waiting: return "WAITING FOR A PARTNER ON PORT " + std::to_string(link_ ? link_->Port() : options_.port);
    case Mode::Dialing: return "CONNECTING TO " + options_.hostName;
    case Mode::Greeting: return "CONNECTED - COMPARING VERSIONS";
    case Mode::Idle: return "CONNECTED - START A GAME FROM THE MENU";
    case Mode::Asking: return "WAITING FOR THE HOST TO START";
    case Mode::Playing:
    case Mode::Notice:
    case Mode::Alone: return {};
  }
  return {};
}

void NetPlay::Note(const std::string& text, uint32_t now, uint32_t ms) {
  note_ = text;
  noteUntil_ = now + ms;
  SetMessage(text);
  if (!options_.quiet) std::fprintf(stderr, "kurara-tavo: %s\n", text.c_str());
}

void NetPlay::SetMessage(const std::string& text) {
  if (text == message_) return;
  message_ = text;
  overlayChanged_ = true;
}

// ---- the link --------------------------------------------------------------------------

void NetPlay::SendTo(uint32_t peer, const net::Message& m, bool reliable) {
  const std::vector<uint8_t> bytes = net::Encode(m);
  link_->Send(peer, bytes, reliable);
}

void NetPlay::Send(const net::Message& m, bool reliable) {
  if (partner_ != 0) SendTo(partner_, m, reliable);
}

void NetPlay::Events(uint32_t now) {
  NetLink::Event e;
  while (link_->Poll(e)) {
    switch (e.kind) {
      case NetLink::Event::Connected:
        if (!options_.host) {
          partner_ = e.peer;
          mode_ = Mode::Greeting;
          since_ = now;
          Send(net::Hello{net::kProtocol, options_.version, options_.dataHash}, true);
        } else if (partner_ == 0 && mode_ == Mode::Waiting) {
          partner_ = e.peer;
          mode_ = Mode::Greeting;
          since_ = now;
        } else {
          // A third machine: told so, then let go.
          SendTo(e.peer, net::Refuse{net::RefuseReason::Busy, options_.version, options_.dataHash}, true);
          link_->Close(e.peer);
          ++turnedAway_;
          Note("A THIRD PLAYER WAS TURNED AWAY", now, 3000);
        }
        break;
      case NetLink::Event::Gone:
        if (e.peer == partner_ && partner_ != 0) PartnerGone(now);
        break;
      case NetLink::Event::Received: {
        if (e.peer != partner_ || partner_ == 0) break;
        const std::optional<net::Message> m = net::Decode(e.data);
        if (!m) {
          ++malformed_;
          break;
        }
        Handle(*m, now);
        break;
      }
    }
  }
}

void NetPlay::Handle(const net::Message& m, uint32_t now) {
  const bool host = options_.host;
  if (const auto* in = std::get_if<net::Input>(&m)) {
    if (online_ && mode_ == Mode::Playing && in->game == online_->GameNumber()) online_->Take(*in, now);
    else if (lingering_ && in->game == lingering_->GameNumber()) lingering_->Take(*in, now);
    return;
  }
  if (const auto* bye = std::get_if<net::Bye>(&m)) {
    if (bye->reason == net::ByeReason::OutOfStep && online_ && mode_ == Mode::Playing)
      online_->PartnerOutOfStep(bye->frame);
    else
      PartnerGone(now);
    return;
  }
  if (const auto* hello = std::get_if<net::Hello>(&m); hello && host && mode_ == Mode::Greeting) {
    Greet(*hello, now);
    return;
  }
  if (const auto* w = std::get_if<net::Welcome>(&m); w && !host && mode_ == Mode::Greeting) {
    // The host compares too; this side checks the same, whatever the host is.
    if (w->protocol != net::kProtocol || w->version != options_.version || w->dataHash != options_.dataHash) {
      link_->Close(partner_);
      partner_ = 0;
      mode_ = Mode::Alone;
      Note(w->dataHash != options_.dataHash && w->version == options_.version
               ? "THE HOST HAS OTHER DATA FILES"
               : "THE HOST RUNS VERSION " + w->version + " - THIS IS " + options_.version,
           now);
      return;
    }
    mode_ = Mode::Idle;
    since_ = now;
    return;
  }
  if (const auto* refuse = std::get_if<net::Refuse>(&m); refuse && !host) {
    link_->Close(partner_);
    partner_ = 0;
    mode_ = Mode::Alone;
    Note(RefusalText(*refuse, options_.version), now, 8000);
    return;
  }
  if (const auto* start = std::get_if<net::Start>(&m); start && !host) {
    if (mode_ == Mode::Idle || mode_ == Mode::Asking) Begin(*start, now);
    return;
  }
  if (std::holds_alternative<net::Again>(m) && host) {
    if (mode_ == Mode::Idle) StartGame(now);
    return;
  }
  ++malformed_;  // a message this side never takes, or not now
}

void NetPlay::Greet(const net::Hello& hello, uint32_t now) {
  std::optional<net::RefuseReason> why;
  std::string note;
  if (hello.protocol != net::kProtocol || hello.version != options_.version) {
    why = hello.protocol != net::kProtocol ? net::RefuseReason::Protocol : net::RefuseReason::Version;
    note = "REFUSED A PARTNER RUNNING VERSION " + hello.version + " - THIS IS " + options_.version;
  } else if (hello.dataHash != options_.dataHash) {
    why = net::RefuseReason::Data;
    note = "REFUSED A PARTNER WITH OTHER DATA FILES";
  }
  if (why) {
    Send(net::Refuse{*why, options_.version, options_.dataHash}, true);
    link_->Close(partner_);
    partner_ = 0;
    mode_ = Mode::Waiting;
    Note(note, now, 8000);
    return;
  }
  Send(net::Welcome{net::kProtocol, options_.version, options_.dataHash}, true);
  mode_ = Mode::Idle;
  since_ = now;
  // Once connected, both see the walk-in at once.
  StartGame(now);
}

void NetPlay::PartnerGone(uint32_t now) {
  link_->Drop(partner_);
  partner_ = 0;
  switch (mode_) {
    case Mode::Playing: Stop("YOUR PARTNER LEFT", now); return;
    case Mode::Notice: return;
    case Mode::Dialing: mode_ = Mode::Alone; Note("COULD NOT REACH " + options_.hostName, now); return;
    case Mode::Greeting:
    case Mode::Idle:
    case Mode::Asking:
      mode_ = options_.host ? Mode::Waiting : Mode::Alone;
      Note(options_.host ? "YOUR PARTNER LEFT" : "THE HOST CLOSED THE CONNECTION", now);
      return;
    case Mode::Waiting:
    case Mode::Alone: return;
  }
}

void NetPlay::Leave() {
  if (partner_ != 0) {
    Send(net::Bye{net::ByeReason::Left, 0}, true);
    link_->Close(partner_);
  }
  link_->Flush();
  online_.reset();
}

// ---- online games ------------------------------------------------------------------------

void NetPlay::StartGame(uint32_t now) {
  const Settings& s = g_.settings;
  net::Start start;
  start.game = static_cast<uint16_t>(gameNumber_ + 1);
  start.seed = gameNumber_ == 0 && options_.seed ? *options_.seed : RandomSeed();
  start.clock = now;
  start.delay = options_.delay;
  start.settings.enemyAmount = static_cast<uint8_t>(s.EnemyAmount);
  start.settings.lives = static_cast<uint8_t>(s.LivesSetting);
  start.settings.fullHit = s.FullHitGauge ? 1 : 0;
  start.settings.fullHurt = s.FullHurtGauge ? 1 : 0;
  start.settings.mogeta = g_.ExtraEnemiesOverride || s.MogetaOff == 0 ? 1 : 0;
  start.settings.byoon = g_.ExtraEnemiesOverride || s.ByoonOff == 0 ? 1 : 0;
  if (!net::ValidSettings(start.settings)) start.settings = net::GameSettings{};
  Send(start, true);
  Begin(start, now);
}

void NetPlay::Begin(const net::Start& start, uint32_t now) {
  gameNumber_ = start.game;
  SaveSnapshot(g_, local_, maps_);
  StopAllSounds(g_);
  std::vector<std::ostream*> outs;
  demoFile_.reset();
  demoPath_.clear();
  if (options_.demoSink) {
    if (std::ostream* out = options_.demoSink(start.game)) outs.push_back(out);
  } else if (!options_.demoDir.empty()) {
    try {
      demoPath_ = NewKeptDemo(options_.demoDir);
      demoFile_ = std::make_unique<std::ofstream>(demoPath_, std::ios::binary);
      if (*demoFile_) outs.push_back(demoFile_.get());
    } catch (const std::exception& e) {
      if (!options_.quiet) std::fprintf(stderr, "kurara-tavo: this game's demo is not kept: %s\n", e.what());
    }
  }
  const Side side = options_.host ? Side::Host : Side::Partner;
  const uint32_t partner = partner_;
  online_ = std::make_unique<OnlineGame>(
      g_, side, start, fresh_, outs,
      [this, partner](const net::Message& m, bool reliable) { SendTo(partner, m, reliable); }, now);
  mode_ = Mode::Playing;
  since_ = now;
  pending_ = 0;
  keys_ = g_.KeyState;
  note_.clear();
  SetMessage({});
  overlayChanged_ = true;
  if (!options_.quiet)
    std::fprintf(stderr, "kurara-tavo: online game %u starts; this machine steers %s\n", start.game,
                 options_.host ? "Tavo" : "Kurara");
}

// Back to this machine's own game, at its title.
void NetPlay::EndGame(uint32_t now) {
  if (online_) {
    rollbacks_ += online_->Frames().Rollbacks();
    if (online_->GetState() == OnlineGame::State::Ended && !online_->Done(now)) {
      lingering_ = std::move(online_);
      lingeringFile_ = std::move(demoFile_);
    }
    online_.reset();
    demoFile_.reset();
  }
  RestoreSnapshot(g_, local_);
  StopAllSounds(g_);
  g_.SceneId = scene::TitleSetup;
  StartClock(g_, now);
  g_.KeyState = keys_;
  g_.input = InputState{};
  g_.input.Levels = keys_;
  if (partner_ != 0)
    mode_ = Mode::Idle;
  else
    mode_ = options_.host ? Mode::Waiting : Mode::Alone;
  since_ = now;
  SetMessage(note_.empty() ? Status() : note_);
  overlayChanged_ = true;
}

// The game stops where it is, its message over it; then back to the title.
void NetPlay::Stop(const std::string& text, uint32_t now) {
  mode_ = Mode::Notice;
  noticeUntil_ = now + kNoticeMs;
  StopAllSounds(g_);
  const bool outOfStep = online_ && online_->GetState() == OnlineGame::State::OutOfStep;
  if (online_) rollbacks_ += online_->Frames().Rollbacks();
  online_.reset();  // its demo ends where both machines were sure of the game
  if (outOfStep) {
    // Both machines keep their demo of the game for a bug report.
    if (demoFile_) {
      demoFile_->flush();
      demoFile_.reset();
      std::error_code ec;
      const std::filesystem::path kept =
          demoPath_.parent_path() / ("out-of-step-" + demoPath_.filename().string().substr(4));
      std::filesystem::rename(demoPath_, kept, ec);
      if (!ec) demoPath_ = kept;
      if (!options_.quiet)
        std::fprintf(stderr, "kurara-tavo: this machine's demo of the game is %s; send it with your partner's\n",
                     demoPath_.string().c_str());
    }
  }
  demoFile_.reset();
  Note(text, now, kNoticeMs);
  overlayChanged_ = true;
}

// ---- what shows ------------------------------------------------------------------------------

bool NetPlay::HasOverlay() const {
  return mode_ == Mode::Notice || !message_.empty() ||
         (indicator_ && mode_ == Mode::Playing && !indicatorText_.empty());
}

void NetPlay::DrawOverlay(Surface& picture) const {
  const Surface& sheet = g_.display.Sheet(Bmp::optionmoji);
  if (sheet.w == 0) return;  // no pictures loaded (tests)
  const auto line = [&](const std::string& text, int32_t y, uint16_t colour, bool panel) {
    int32_t scale = 2;
    int32_t w = LabelWidth(sheet, text, scale);
    if (w > kScreenWidth - 24) {
      scale = 1;
      w = LabelWidth(sheet, text, scale);
    }
    const int32_t x = (kScreenWidth - w) / 2;
    if (panel) DrawPanel(picture, Rect{x - 10, y - 8, x + w + 10, y + LabelHeight(scale) + 8});
    DrawLabel(picture, sheet, x, y, text, colour, scale);
  };
  if (mode_ == Mode::Notice) {
    line(message_, 200, label::Gold, true);
    line("BACK TO THE TITLE IN A MOMENT", 250, label::White, false);
  } else if (!message_.empty()) {
    line(message_, kScreenHeight - 34, label::White, true);
  }
  if (indicator_ && mode_ == Mode::Playing && !indicatorText_.empty())
    DrawLabel(picture, sheet, 8, 62, indicatorText_, label::Green, 1);  // under the status panel
}

}  // namespace kt
