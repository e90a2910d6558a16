#include "loop/demo.hpp"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <thread>

#include "loop/frame_loop.hpp"
#include "loop/startup.hpp"
#include "loop/state_fields.hpp"
#include "loop/version.hpp"
#include "platform/fatal.hpp"

namespace kt {

namespace {

// ---- hashes as 11 characters ---------------------------------------------------

constexpr std::string_view kDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

// 64 bits in 11 digits (the first holds 4 bits); a step's 24-bit check in 4.
std::string HashText(uint64_t h, size_t digits = 11) {
  std::string s(digits, 'A');
  for (size_t i = digits; i-- > 0;) {
    s[i] = kDigits[h & 63];
    h >>= 6;
  }
  return s;
}

std::optional<uint64_t> HashFromText(std::string_view s, size_t digits = 11) {
  if (s.size() != digits) return std::nullopt;
  uint64_t h = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const size_t d = kDigits.find(s[i]);
    if (d == std::string_view::npos || (digits == 11 && i == 0 && d > 15)) return std::nullopt;
    h = (h << 6) | d;
  }
  return h;
}

// ---- passes and keys as text -----------------------------------------------------

std::string PassToken(const std::vector<int32_t>& ticks) {
  if (ticks.empty()) return ".";
  std::string s;
  for (size_t i = 0; i < ticks.size(); ++i) {
    if (i) s += ',';
    s += std::to_string(ticks[i]);
  }
  return s;
}

std::string KeyToken(const KeyChange& c) {
  std::string s(1, c.down ? '+' : '-');
  const std::string_view name = KeyName(c.code);
  if (name.empty()) {
    s += '#';
    s += std::to_string(c.code);
  } else {
    s += name;
  }
  return s;
}

std::string KeyNames(const std::vector<uint8_t>& codes) {
  std::string s;
  for (uint8_t code : codes) {
    if (!s.empty()) s += ' ';
    const std::string_view name = KeyName(code);
    s += name.empty() ? "#" + std::to_string(code) : std::string(name);
  }
  return s;
}

template <typename T>
bool ParseWhole(std::string_view s, T& out) {
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
  return ec == std::errc() && end == s.data() + s.size() && !s.empty();
}

std::optional<uint8_t> ParseKey(std::string_view name) {
  if (!name.empty() && name[0] == '#') {
    unsigned code = 0;
    if (!ParseWhole(name.substr(1), code) || code > 255) return std::nullopt;
    return static_cast<uint8_t>(code);
  }
  return KeyCodeFromName(name);
}

std::vector<std::string_view> Words(std::string_view line) {
  std::vector<std::string_view> words;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    const size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

// ---- fields by path --------------------------------------------------------------

std::string ValueText(int32_t v) { return std::to_string(v); }
std::string ValueText(bool v) { return v ? "true" : "false"; }
std::string ValueText(float v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.9g", static_cast<double>(v));
  return buf;
}

bool ParseValue(std::string_view s, int32_t& v) { return ParseWhole(s, v); }
bool ParseValue(std::string_view s, bool& v) {
  if (s == "true" || s == "1") return v = true, true;
  if (s == "false" || s == "0") return v = false, true;
  return false;
}
bool ParseValue(std::string_view s, float& v) {
  const std::string text(s);
  char* end = nullptr;
  v = std::strtof(text.c_str(), &end);
  return !text.empty() && end == text.c_str() + text.size();
}

class CollectFields : public PathVisitor {
 public:
  template <typename T>
  void Field(std::string_view key, const T& v) {
    fields.emplace_back(Path(key), ValueText(v));
  }
  void Keys(std::string_view, const KeyTable&) {}
  std::vector<std::pair<std::string, std::string>> fields;
};

class SetFields : public PathVisitor {
 public:
  explicit SetFields(const std::vector<std::pair<std::string, std::string>>& fields) : fields_(fields) {
    used_.resize(fields.size());
  }
  template <typename T>
  void Field(std::string_view key, T& v) {
    const std::string path = Path(key);
    for (size_t i = 0; i < fields_.size(); ++i) {
      if (fields_[i].first != path) continue;
      if (!ParseValue(fields_[i].second, v))
        throw FatalError("demo: '" + fields_[i].second + "' is no value for " + path);
      used_[i] = true;
    }
  }
  void Keys(std::string_view, KeyTable&) {}
  void Check() const {
    for (size_t i = 0; i < fields_.size(); ++i)
      if (!used_[i]) throw FatalError("demo: the game has no field " + fields_[i].first);
  }

 private:
  const std::vector<std::pair<std::string, std::string>>& fields_;
  std::vector<bool> used_;
};

bool IsStartField(const std::string& path) {
  if (path.starts_with("settings.")) return path != "settings.DegToRad" && path != "settings.GraphicsReady";
  for (const char* p : {"CostumeToggle", "ControlledHero", "PhaseMark", "frontend.MenuRow", "frontend.MenuChoice",
                        "frontend.OptionsRow"})
    if (path == p) return true;
  return false;
}

std::vector<uint8_t> HeldKeys(const KeyTable& keys) {
  std::vector<uint8_t> held;
  for (size_t k = 0; k < keys.size(); ++k)
    if (keys[k]) held.push_back(static_cast<uint8_t>(k));
  return held;
}

}  // namespace

// ---- the text form -----------------------------------------------------------------

void DemoWriter::Line(const std::string& line) {
  for (std::ostream* out : outs_) *out << line << '\n';
}

void DemoWriter::Flush() {
  FlushTicks();
  FlushHashes();
  for (std::ostream* out : outs_) out->flush();
}

void DemoWriter::Header(std::string_view gameVersion, const DemoStart& s) {
  Line("# Kurara & Tavo demo: kurara-tavo --replay FILE plays it back");
  Line("kt-demo " + std::to_string(kDemoFormat));
  Line("game " + std::string(gameVersion));
  Line("seed " + std::to_string(s.seed));
  Line("clock " + std::to_string(s.clock));
  if (s.players) Line("players " + std::to_string(s.players));
  if (s.extraEnemies) Line("extra-enemies");
  for (const auto& [path, value] : s.fields) Line("start " + path + " " + value);
  if (!s.keys.empty()) Line("keys " + KeyNames(s.keys));
  Line("body");
  Flush();
}

void DemoWriter::FlushTicks() {
  if (pendingCount_ > 0) {
    std::string token = pendingToken_;
    if (pendingCount_ > 1) token += "*" + std::to_string(pendingCount_);
    if (tickLine_.size() + token.size() > 100) {
      Line(tickLine_);
      tickLine_.clear();
    }
    tickLine_ += tickLine_.empty() ? "t " + token : " " + token;
    pendingCount_ = 0;
    pendingToken_.clear();
  }
  if (!tickLine_.empty()) {
    Line(tickLine_);
    tickLine_.clear();
  }
}

void DemoWriter::Pass(const DemoPass& pass) {
  const std::string token = PassToken(pass.ticks);
  if (!pass.keys.empty()) {
    FlushTicks();
    std::string line = "k " + token;
    for (const KeyChange& c : pass.keys) line += " " + KeyToken(c);
    Line(line);
    return;
  }
  if (pendingCount_ > 0 && token == pendingToken_) {
    ++pendingCount_;
    return;
  }
  if (pendingCount_ > 0) {
    std::string done = pendingToken_;
    if (pendingCount_ > 1) done += "*" + std::to_string(pendingCount_);
    if (tickLine_.size() + done.size() > 100) {
      Line(tickLine_);
      tickLine_.clear();
    }
    tickLine_ += tickLine_.empty() ? "t " + done : " " + done;
  }
  pendingToken_ = token;
  pendingCount_ = 1;
}

void DemoWriter::OpenPass(const std::vector<int32_t>& ticks) {
  FlushTicks();
  Line("o " + PassToken(ticks));
}

void DemoWriter::FlushHashes() {
  if (!hashLine_.empty()) Line(hashLine_);
  hashLine_.clear();
  hashesOnLine_ = 0;
}

void DemoWriter::Check(uint32_t check) {
  hashLine_ += hashLine_.empty() ? "h " : " ";
  hashLine_ += HashText(check & kStepCheckMask, 4);
  if (++hashesOnLine_ == 16) FlushHashes();
}

void DemoWriter::Checkpoint(const DemoCheckpoint& c) {
  FlushTicks();
  FlushHashes();
  std::string line = "c " + std::to_string(c.step) + " " + std::to_string(c.scene);
  for (size_t i = 0; i < kHashGroups; ++i) {
    if (lastGroups_ && (*lastGroups_)[i] == c.groups[i]) continue;
    line += " " + std::string(HashGroupName(static_cast<HashGroup>(i))) + "=" + HashText(c.groups[i]);
  }
  lastGroups_ = c.groups;
  Line(line);
  Flush();
}

void DemoWriter::End(const DemoEnd& e) {
  FlushTicks();
  FlushHashes();
  Line("end passes " + std::to_string(e.passes) + " steps " + std::to_string(e.steps) + " scene " +
       std::to_string(e.scene) + " clock " + std::to_string(e.clock));
  Flush();
}

std::string FormatDemo(const Demo& demo) {
  std::ostringstream out;
  DemoWriter w({&out});
  w.Header(demo.gameVersion, demo.start);
  for (size_t i = 0; i < demo.passes.size(); ++i) {
    if (demo.lastPassOpen && i + 1 == demo.passes.size())
      w.OpenPass(demo.passes[i].ticks);
    else
      w.Pass(demo.passes[i]);
  }
  // Hashes and checkpoints in step order.
  size_t c = 0;
  for (size_t s = 0; s < demo.stepChecks.size(); ++s) {
    w.Check(demo.stepChecks[s]);
    while (c < demo.checkpoints.size() && demo.checkpoints[c].step <= static_cast<int64_t>(s) + 1)
      w.Checkpoint(demo.checkpoints[c++]);
  }
  while (c < demo.checkpoints.size()) w.Checkpoint(demo.checkpoints[c++]);
  if (demo.end) w.End(*demo.end);
  w.Flush();
  return out.str();
}

Demo ParseDemo(std::string_view text, const std::string& name) {
  Demo d;
  int number = 0;
  bool sawFormat = false, inBody = false;
  std::array<uint64_t, kHashGroups> groups{};
  size_t at = 0;
  while (at < text.size()) {
    size_t eol = text.find('\n', at);
    if (eol == std::string_view::npos) eol = text.size();
    const std::string_view raw = text.substr(at, eol - at);
    at = eol + 1;
    ++number;
    const auto fail = [&](const std::string& what) -> FatalError {
      return FatalError(name + ":" + std::to_string(number) + ": " + what);
    };
    const auto w = Words(raw);
    if (w.empty() || w[0].starts_with("#")) continue;
    const std::string_view kw = w[0];
    const auto number64 = [&](std::string_view s, auto& out) {
      if (!ParseWhole(s, out)) throw fail("'" + std::string(s) + "' is not a number");
    };
    if (!sawFormat) {
      if (kw != "kt-demo" || w.size() != 2) throw fail("not a demo (it starts with no 'kt-demo' line)");
      number64(w[1], d.format);
      if (d.format != kDemoFormat)
        throw fail("demo format " + std::to_string(d.format) + "; this game reads format " +
                   std::to_string(kDemoFormat));
      sawFormat = true;
      continue;
    }
    if (d.end) throw fail("text after the end line");
    if (!inBody) {
      if (kw == "game" && w.size() == 2) {
        d.gameVersion = std::string(w[1]);
      } else if (kw == "seed" && w.size() == 2) {
        number64(w[1], d.start.seed);
      } else if (kw == "clock" && w.size() == 2) {
        number64(w[1], d.start.clock);
      } else if (kw == "players" && w.size() == 2) {
        number64(w[1], d.start.players);
        if (d.start.players < 1 || d.start.players > 2) throw fail("players must be 1 or 2");
      } else if (kw == "extra-enemies" && w.size() == 1) {
        d.start.extraEnemies = true;
      } else if (kw == "start" && w.size() == 3) {
        d.start.fields.emplace_back(std::string(w[1]), std::string(w[2]));
      } else if (kw == "keys") {
        for (size_t i = 1; i < w.size(); ++i) {
          const auto code = ParseKey(w[i]);
          if (!code) throw fail("unknown key '" + std::string(w[i]) + "'");
          d.start.keys.push_back(*code);
        }
      } else if (kw == "body" && w.size() == 1) {
        inBody = true;
      } else {
        throw fail("unknown header line '" + std::string(raw) + "'");
      }
      continue;
    }
    // One pass token: "16", "16,0", ".", each with an optional "*count".
    const auto passes = [&](std::string_view token, int64_t& count) {
      count = 1;
      if (const size_t star = token.find('*'); star != std::string_view::npos) {
        number64(token.substr(star + 1), count);
        if (count < 1 || count > 100'000'000) throw fail("bad pass count in '" + std::string(token) + "'");
        token = token.substr(0, star);
      }
      std::vector<int32_t> ticks;
      if (token != ".") {
        size_t from = 0;
        while (true) {
          const size_t comma = token.find(',', from);
          const std::string_view part = token.substr(from, comma == std::string_view::npos ? comma : comma - from);
          int32_t v = 0;
          if (!ParseWhole(part, v)) throw fail("'" + std::string(token) + "' is not a list of clock steps");
          ticks.push_back(v);
          if (comma == std::string_view::npos) break;
          from = comma + 1;
        }
      }
      return ticks;
    };
    if (d.lastPassOpen && (kw == "t" || kw == "k" || kw == "o")) throw fail("a pass after the open pass");
    if (kw == "t") {
      for (size_t i = 1; i < w.size(); ++i) {
        int64_t count = 0;
        const auto ticks = passes(w[i], count);
        for (int64_t n = 0; n < count; ++n) d.passes.push_back({ticks, {}});
      }
    } else if (kw == "k" && w.size() >= 3) {
      int64_t count = 0;
      DemoPass p{passes(w[1], count), {}};
      if (count != 1) throw fail("a pass with key changes stands alone");
      for (size_t i = 2; i < w.size(); ++i) {
        const std::string_view t = w[i];
        const auto code = t.size() > 1 && (t[0] == '+' || t[0] == '-') ? ParseKey(t.substr(1)) : std::nullopt;
        if (!code) throw fail("'" + std::string(t) + "' is no key change (+Key or -Key)");
        p.keys.push_back({*code, t[0] == '+'});
      }
      d.passes.push_back(std::move(p));
    } else if (kw == "o" && w.size() == 2) {
      int64_t count = 0;
      d.passes.push_back({passes(w[1], count), {}});
      if (count != 1) throw fail("the open pass stands alone");
      d.lastPassOpen = true;
    } else if (kw == "h") {
      for (size_t i = 1; i < w.size(); ++i) {
        const auto h = HashFromText(w[i], 4);
        if (!h) throw fail("'" + std::string(w[i]) + "' is not a step's check");
        d.stepChecks.push_back(static_cast<uint32_t>(*h));
      }
    } else if (kw == "c" && w.size() >= 3) {
      DemoCheckpoint c;
      number64(w[1], c.step);
      number64(w[2], c.scene);
      if (c.step < 1 || (!d.checkpoints.empty() && c.step <= d.checkpoints.back().step))
        throw fail("checkpoint steps must rise");
      for (size_t i = 3; i < w.size(); ++i) {
        const size_t eq = w[i].find('=');
        const auto group = eq == std::string_view::npos ? std::nullopt : HashGroupFromName(w[i].substr(0, eq));
        const auto h = group ? HashFromText(w[i].substr(eq + 1)) : std::nullopt;
        if (!h) throw fail("'" + std::string(w[i]) + "' is not group=hash");
        groups[static_cast<size_t>(*group)] = *h;
      }
      c.groups = groups;
      d.checkpoints.push_back(c);
    } else if (kw == "end" && w.size() == 9 && w[1] == "passes" && w[3] == "steps" && w[5] == "scene" &&
               w[7] == "clock") {
      DemoEnd e;
      number64(w[2], e.passes);
      number64(w[4], e.steps);
      number64(w[6], e.scene);
      number64(w[8], e.clock);
      if (e.passes != static_cast<int64_t>(d.passes.size()))
        throw fail("the end counts " + std::to_string(e.passes) + " passes, the demo holds " +
                   std::to_string(d.passes.size()));
      if (e.steps != static_cast<int64_t>(d.stepChecks.size()))
        throw fail("the end counts " + std::to_string(e.steps) + " steps, the demo holds " +
                   std::to_string(d.stepChecks.size()) + " checks");
      d.end = e;
    } else {
      throw fail("unknown line '" + std::string(raw) + "'");
    }
  }
  if (!sawFormat) throw FatalError(name + ": not a demo (it is empty)");
  if (!inBody) throw FatalError(name + ": the demo has no body");
  return d;
}

Demo LoadDemo(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FatalError(path.string() + ": cannot open the demo");
  std::ostringstream s;
  s << in.rdbuf();
  return ParseDemo(s.str(), path.string());
}

// ---- start values ------------------------------------------------------------------

std::vector<std::pair<std::string, std::string>> DemoStartFields(const Game& g) {
  CollectFields all;
  VisitState(g, all);
  std::vector<std::pair<std::string, std::string>> chosen;
  for (auto& f : all.fields)
    if (IsStartField(f.first)) chosen.push_back(std::move(f));
  return chosen;
}

void ApplyStartFields(Game& g, const std::vector<std::pair<std::string, std::string>>& fields) {
  SetFields set(fields);
  VisitState(g, set);
  set.Check();
}

// ---- recording -----------------------------------------------------------------------

DemoRecorder::DemoRecorder(Platform& device, std::vector<std::ostream*> outs)
    : device_(device), writer_(std::move(outs)) {}

DemoRecorder::~DemoRecorder() {
  if (game_ && game_->stepWatch == this) game_->stepWatch = nullptr;
  // A run that ended in an error keeps what it recorded, without an end.
  if (started_) writer_.Flush();
}

void DemoRecorder::Start(Game& g) {
  game_ = &g;
  started_ = true;
  // The clock reading the game's clocks started from: a replay starts them
  // from the demo's clock, and the first pass's reading is a step from it.
  lastTick_ = static_cast<uint32_t>(g.FrameTick);
  keys_ = g.KeyState;
  DemoStart s;
  s.seed = g.rng.State();
  s.clock = lastTick_;
  s.players = g.PlayersOverride;
  s.extraEnemies = g.ExtraEnemiesOverride;
  s.fields = DemoStartFields(g);
  s.keys = HeldKeys(g.KeyState);
  writer_.Header(kGameVersion, s);
  g.stepWatch = this;
}

uint32_t DemoRecorder::Ticks() {
  const uint32_t t = device_.Ticks();
  if (started_) {
    pass_.ticks.push_back(static_cast<int32_t>(t - lastTick_));
    lastTick_ = t;
  }
  return t;
}

void DemoRecorder::ProcessMessages(KeyTable& keys) {
  device_.ProcessMessages(keys);
  if (!started_) return;
  for (size_t k = 0; k < keys.size(); ++k)
    if (keys[k] != keys_[k]) pass_.keys.push_back({static_cast<uint8_t>(k), keys[k]});
  keys_ = keys;
  writer_.Pass(pass_);
  pass_ = {};
  ++passes_;
}

void DemoRecorder::AfterStep(const Game& g, int32_t sceneRan) {
  ++steps_;
  const StateHashes h = HashState(g);
  writer_.Check(StepCheck(h.total));
  lastScene_ = sceneRan;
  lastGroups_ = h.groups;
  if (steps_ == 1 || steps_ % kDemoCheckpointEvery == 0) {
    writer_.Checkpoint({steps_, sceneRan, h.groups});
    lastCheckpoint_ = steps_;
  }
}

void DemoRecorder::Finish(Game& g) {
  if (!started_) return;
  if (g.stepWatch == this) g.stepWatch = nullptr;
  int64_t passes = passes_;
  if (!pass_.ticks.empty()) {
    writer_.OpenPass(pass_.ticks);
    ++passes;
  }
  // The last step always has a checkpoint.
  if (steps_ > 0 && lastCheckpoint_ != steps_) writer_.Checkpoint({steps_, lastScene_, lastGroups_});
  writer_.End({passes, steps_, g.SceneId, static_cast<int32_t>(device_.Ticks() - lastTick_)});
  started_ = false;
  game_ = nullptr;
}

// ---- replay -----------------------------------------------------------------------------

DemoPlayer::DemoPlayer(const Demo& demo, Platform* device) : demo_(demo), device_(device) {
  uint32_t clock = demo.start.clock;
  passClock_.reserve(demo.passes.size());
  for (const DemoPass& p : demo.passes) {
    for (int32_t t : p.ticks) clock += static_cast<uint32_t>(t);
    passClock_.push_back(clock);
  }
  clock_ = mixedTo_ = demo.start.clock;
}

DemoPlayer::~DemoPlayer() {
  if (game_ && game_->stepWatch == this) game_->stepWatch = nullptr;
}

void DemoPlayer::Begin(Game& g) {
  game_ = &g;
  g.rng.Seed(demo_.start.seed);
  ApplyStartFields(g, demo_.start.fields);
  g.PlayersOverride = demo_.start.players;
  g.ExtraEnemiesOverride = demo_.start.extraEnemies;
  table_.fill(false);
  for (uint8_t code : demo_.start.keys) table_[code] = true;
  g.KeyState = table_;
  g.stepWatch = this;
  if (device_) {
    paced_ = true;
    wallStart_ = device_->Ticks();
  }
}

bool DemoPlayer::Finished() const {
  return stop_ || pass_ >= demo_.passes.size() || (stopAfter_ && clock_ - demo_.start.clock >= *stopAfter_);
}

void DemoPlayer::Pace(uint32_t tick) {
  // Wait until as much real time has passed as the recording's clock shows.
  const uint32_t due = tick - demo_.start.clock;
  for (;;) {
    const uint32_t now = device_->Ticks() - wallStart_;
    const auto wait = static_cast<int32_t>(due - now);
    if (wait <= 0 || wait > 1000) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(wait));
  }
}

uint32_t DemoPlayer::Ticks() {
  // Start-up reads the clock the game's clocks start from: the demo's.
  if (!game_) return clock_;
  if (pass_ < demo_.passes.size()) {
    const DemoPass& p = demo_.passes[pass_];
    if (call_ < p.ticks.size()) {
      clock_ += static_cast<uint32_t>(p.ticks[call_++]);
      if (call_ == 1 && paced_) Pace(clock_);
    }
  }
  return clock_;
}

void DemoPlayer::ProcessMessages(KeyTable& keys) {
  if (device_) device_->ProcessMessages(deviceKeys_);
  if (pass_ < demo_.passes.size()) {
    clock_ = passClock_[pass_];
    for (const KeyChange& c : demo_.passes[pass_].keys) table_[c.code] = c.down;
    ++pass_;
    call_ = 0;
    ++result_.passes;
  }
  if (!device_) {
    // The voices advance by the game time up to the next reading, as the
    // headless backend advances them.
    uint32_t to = clock_;
    if (pass_ < demo_.passes.size() && !demo_.passes[pass_].ticks.empty())
      to = clock_ + static_cast<uint32_t>(demo_.passes[pass_].ticks[0]);
    else if (pass_ == demo_.passes.size() && demo_.end)
      to = clock_ + static_cast<uint32_t>(demo_.end->clock);
    const uint64_t rate = static_cast<uint64_t>(mixer_.Format().rate);
    const uint64_t before = uint64_t{mixedTo_ - demo_.start.clock} * rate / 1000;
    const uint64_t after = uint64_t{to - demo_.start.clock} * rate / 1000;
    if (after > before) mixer_.Mix(nullptr, static_cast<size_t>(after - before));
    mixedTo_ = to;
  }
  keys = table_;
  if (device_ && deviceKeys_[vk::Escape]) keys[vk::Escape] = true;
}

void DemoPlayer::Mismatch(const Game& g, int32_t sceneRan, std::string what) {
  ReplayMismatch m;
  m.step = result_.steps;
  m.pass = result_.passes + 1;
  m.tick = g.FrameTick;
  m.scene = sceneRan;
  m.what = std::move(what);
  result_.mismatch = std::move(m);
}

void DemoPlayer::CompareGroups(const StateHashes& h, const DemoCheckpoint& c) {
  ReplayMismatch& m = *result_.mismatch;
  m.groupsStep = c.step;
  for (size_t i = 0; i < kHashGroups; ++i)
    if (h.groups[i] != c.groups[i]) m.groups.push_back(static_cast<HashGroup>(i));
}

void DemoPlayer::AfterStep(const Game& g, int32_t sceneRan) {
  const int64_t step = ++result_.steps;
  if (sceneRan >= 0 && sceneRan < 100) result_.scenesRun[static_cast<size_t>(sceneRan)] = true;
  const StateHashes h = HashState(g);
  const auto& cps = demo_.checkpoints;
  while (nextCheckpoint_ < cps.size() && cps[nextCheckpoint_].step < step) ++nextCheckpoint_;
  const bool checkpoint = nextCheckpoint_ < cps.size() && cps[nextCheckpoint_].step == step;
  if (!result_.mismatch) {
    const auto recorded = static_cast<int64_t>(demo_.stepChecks.size());
    if (step <= recorded) {
      const uint32_t want = demo_.stepChecks[static_cast<size_t>(step - 1)];
      if (StepCheck(h.total) != want) {
        char what[96];
        std::snprintf(what, sizeof what, "the state hash %s differs (its check %06x, recorded %06x)",
                      HashHex(h.total).c_str(), StepCheck(h.total), want);
        Mismatch(g, sceneRan, what);
      }
    } else if (demo_.end) {
      Mismatch(g, sceneRan, "the recorded run made only " + std::to_string(recorded) + " steps");
    }
    // The whole 64 bits of every group at the checkpoints.
    if (!result_.mismatch && checkpoint && cps[nextCheckpoint_].groups != h.groups)
      Mismatch(g, sceneRan, "the state hash " + HashHex(h.total) + " differs from the checkpoint's");
  }
  if (!result_.mismatch) return;
  // Parted: run on to the next checkpoint to name the records that differ.
  if (nextCheckpoint_ >= cps.size()) {
    stop_ = true;
  } else if (cps[nextCheckpoint_].step == step) {
    CompareGroups(h, cps[nextCheckpoint_]);
    stop_ = true;
  }
}

ReplayResult DemoPlayer::End(Game& g) {
  if (g.stepWatch == this) g.stepWatch = nullptr;
  result_.finalScene = g.SceneId;
  if (!stop_ && pass_ < demo_.passes.size() && stopAfter_ && clock_ - demo_.start.clock >= *stopAfter_) {
    result_.cut = true;
  } else if (!demo_.end) {
    result_.truncated = true;
  } else if (!result_.mismatch) {
    const DemoEnd& e = *demo_.end;
    ReplayMismatch m;
    m.step = std::min(result_.steps, e.steps) + 1;
    m.pass = result_.passes;
    m.tick = g.FrameTick;
    m.scene = g.SceneId;
    if (result_.steps != e.steps) {
      m.what = "the replay ended after " + std::to_string(result_.steps) + " steps, the recorded run after " +
               std::to_string(e.steps);
      result_.mismatch = m;
    } else if (g.SceneId != e.scene) {
      m.what = "the replay ends in scene " + std::to_string(g.SceneId) + ", the recorded run in scene " +
               std::to_string(e.scene);
      result_.mismatch = m;
    }
  }
  return result_;
}

std::string DescribeMismatch(const ReplayMismatch& m) {
  std::string s = "step " + std::to_string(m.step) + " (pass " + std::to_string(m.pass) + ", tick " +
                  std::to_string(m.tick) + ", scene " + std::to_string(m.scene) + "): " + m.what;
  if (m.groupsStep > 0) {
    s += "; records that differ at step " + std::to_string(m.groupsStep) + ":";
    for (HashGroup group : m.groups) s += " " + std::string(HashGroupName(group));
    if (m.groups.empty()) s += " none";
  }
  return s;
}

ReplayResult PlayDemo(Game& g, DemoPlayer& player, const Demo& demo, const std::filesystem::path& dataDir) {
  Startup(g, player, {dataDir, demo.start.seed});
  player.Begin(g);
  while (!player.Finished() && FramePass(g, player)) {
  }
  return player.End(g);
}

ReplayResult ReplayHeadless(const Demo& demo, const std::filesystem::path& dataDir) {
  auto g = NewGame();
  DemoPlayer player(demo, nullptr);
  return PlayDemo(*g, player, demo, dataDir);
}

// ---- kept demos --------------------------------------------------------------------------

std::filesystem::path NewKeptDemo(const std::filesystem::path& dir, int keep) {
  namespace fs = std::filesystem;
  fs::create_directories(dir);
  std::vector<fs::path> kept;
  for (const auto& e : fs::directory_iterator(dir)) {
    const std::string n = e.path().filename().string();
    if (e.is_regular_file() && n.starts_with("run-") && n.ends_with(".demo")) kept.push_back(e.path());
  }
  std::sort(kept.begin(), kept.end());
  for (size_t i = 0; i + static_cast<size_t>(std::max(keep - 1, 0)) < kept.size(); ++i) fs::remove(kept[i]);

  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&t, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  for (;; ms = (ms + 1) % 1000) {
    char name[64];
    std::snprintf(name, sizeof name, "run-%s-%03lld.demo", stamp, static_cast<long long>(ms));
    if (!fs::exists(dir / name)) return dir / name;
  }
}

}  // namespace kt
