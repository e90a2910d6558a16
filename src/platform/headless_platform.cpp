// The headless backend: a fake clock that advances a fixed number of
// milliseconds per pass, keys from a script, and a mixer advanced by game time
// so the voices behave exactly as with a device.
#include <sstream>

#include "platform/fatal.hpp"
#include "platform/platform.hpp"

namespace kt {

std::vector<ScriptLine> ParseKeyScript(const std::string& text, const std::string& name) {
  std::vector<ScriptLine> lines;
  std::istringstream in(text);
  std::string raw;
  int number = 0;
  while (std::getline(in, raw)) {
    ++number;
    if (const size_t hash = raw.find('#'); hash != std::string::npos) raw.resize(hash);
    std::istringstream words(raw);
    std::string word;
    if (!(words >> word)) continue;
    const auto where = [&] { return name + ":" + std::to_string(number) + ": "; };
    ScriptLine line;
    size_t used = 0;
    unsigned long ms = 0;
    try {
      ms = std::stoul(word, &used);
    } catch (const std::exception&) {
      used = 0;
    }
    if (used != word.size() || word[0] == '-' || ms > 86'400'000)
      throw FatalError(where() + "'" + word + "' is not a duration in milliseconds");
    line.ms = static_cast<uint32_t>(ms);
    while (words >> word) {
      const auto code = KeyCodeFromName(word);
      if (!code) throw FatalError(where() + "unknown key '" + word + "'");
      line.keys.push_back(*code);
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

HeadlessPlatform::HeadlessPlatform(const HeadlessOptions& options)
    : now_(options.startTick), tickMs_(options.tickMs), script_(options.script) {
  for (const ScriptLine& l : script_) scriptLength_ += l.ms;
}

std::unique_ptr<HeadlessPlatform> MakeHeadlessPlatform(const HeadlessOptions& options) {
  return std::make_unique<HeadlessPlatform>(options);
}

void HeadlessPlatform::Begin(KeyTable& keys) { ApplyScript(keys); }

void HeadlessPlatform::ProcessMessages(KeyTable& keys) {
  // Advance the voices by exactly the game time of this pass.
  const uint64_t rate = static_cast<uint64_t>(mixer_.Format().rate);
  const uint64_t before = elapsed_;
  now_ += tickMs_;
  elapsed_ += tickMs_;
  mixer_.Mix(nullptr, static_cast<size_t>(elapsed_ * rate / 1000 - before * rate / 1000));
  ApplyScript(keys);
  // A line that began and ended between two passes is a tap: it shows for
  // one pass, as a real keyboard's latched press does.
  uint64_t start = 0;
  for (const ScriptLine& line : script_) {
    const uint64_t end = start + line.ms;
    if (start > before && end <= Elapsed() && line.ms > 0)
      for (uint8_t code : line.keys) keys[code] = true;
    if (start >= Elapsed()) break;
    start = end;
  }
  // Rebinding takes the next key that goes down; a taken key raises nothing
  // until the script lets it go.
  for (size_t k = 0; k < keys.size(); ++k) {
    const bool pressed = keys[k] && !scripted_[k];
    scripted_[k] = keys[k];
    if (capturing_ && pressed && k != vk::FocusLost) {
      CapturedInput c;
      if (k == vk::Escape || k == vk::F1) {
        c.kind = CapturedInput::Kind::Cancelled;
      } else {
        c.kind = CapturedInput::Kind::Key;
        c.key = PhysKeyFromName(KeyName(static_cast<uint8_t>(k))).value_or(kNoKey);
      }
      captured_ = c;
      capturing_ = false;
      heldBack_[k] = true;
    }
    if (!keys[k]) heldBack_[k] = false;
    if (heldBack_[k]) keys[k] = false;
  }
}

void HeadlessPlatform::SetCapture(bool on) {
  if (on == capturing_) return;
  capturing_ = on;
  captured_.reset();
}

std::optional<CapturedInput> HeadlessPlatform::TakeCaptured() {
  std::optional<CapturedInput> c = captured_;
  captured_.reset();
  return c;
}

void HeadlessPlatform::ApplyScript(KeyTable& keys) const {
  keys.fill(false);
  uint64_t t = elapsed_;
  for (const ScriptLine& line : script_) {
    if (t < line.ms) {
      for (uint8_t code : line.keys) keys[code] = true;
      return;
    }
    t -= line.ms;
  }
}

}  // namespace kt
