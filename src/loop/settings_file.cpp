#include "loop/settings_file.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string_view>
#include <toml++/toml.h>

namespace kt {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, 3> kAmountNames{"few", "normal", "many"};
constexpr std::array<std::string_view, kHeroSets> kSetNames{"kurara", "tavo"};

// Every section the game writes, and the top-level names they live under.
constexpr std::array<std::string_view, 9> kSections{"options",  "display",     "sound",      "keys.kurara", "keys.tavo",
                                                    "keys.shared", "pad.kurara", "pad.tavo", "pad.shared"};

std::string Quoted(std::string_view s) { return "\"" + std::string(s) + "\""; }

// ---- reading --------------------------------------------------------------------

struct Parsed {
  toml::table table;
  std::vector<std::string> warnings;
};

// Empties line `line` (1-based) of `text`; false if there is no such line or
// it is empty already.
bool BlankLine(std::string& text, uint32_t line) {
  size_t start = 0;
  for (uint32_t l = 1; l < line; ++l) {
    start = text.find('\n', start);
    if (start == std::string::npos) return false;
    ++start;
  }
  if (start >= text.size()) return false;
  size_t end = text.find('\n', start);
  if (end == std::string::npos) end = text.size();
  if (end == start) return false;
  text.erase(start, end - start);
  return true;
}

// Parses the text; a line that breaks the syntax is warned about and left
// out, and the rest is read again, so one typing error costs one entry.
Parsed ParseLeniently(std::string text, const std::string& name) {
  Parsed p;
  for (int attempt = 0; attempt < 256; ++attempt) {
    try {
      p.table = toml::parse(text, std::string_view(name));
      return p;
    } catch (const toml::parse_error& e) {
      const uint32_t line = e.source().begin.line;
      p.warnings.push_back(name + ":" + std::to_string(line) + ": " + std::string(e.description()) +
                           "; the line is left out");
      if (!BlankLine(text, line)) break;
    }
  }
  p.warnings.push_back(name + ": cannot be read past that; every entry keeps its default");
  p.table = toml::table{};
  return p;
}

class Reader {
 public:
  Reader(const toml::table& root, std::string name, std::vector<std::string>& warnings)
      : root_(root), name_(std::move(name)), warnings_(warnings) {}

  // The section's table; null if it is missing, or (with a warning) not a table.
  const toml::table* Section(std::string_view path) {
    const toml::node_view<const toml::node> n = root_.at_path(path);
    if (!n) return nullptr;
    if (const toml::table* t = n.as_table()) return t;
    Warn(*n.node(), "[" + std::string(path) + "] is not a table; its entries keep their defaults");
    return nullptr;
  }

  void Int(const toml::table* sec, std::string_view key, int32_t lo, int32_t hi, int32_t& out) {
    const toml::node* n = Entry(sec, key);
    if (!n) return;
    const std::optional<int64_t> v = n->value_exact<int64_t>();
    if (v && *v >= lo && *v <= hi) {
      out = static_cast<int32_t>(*v);
      return;
    }
    Warn(*n, std::string(key) + " must be a whole number from " + std::to_string(lo) + " to " + std::to_string(hi) +
                 "; " + std::to_string(out) + " is used");
  }

  void Bool(const toml::table* sec, std::string_view key, bool& out) {
    const toml::node* n = Entry(sec, key);
    if (!n) return;
    if (const std::optional<bool> v = n->value_exact<bool>()) {
      out = *v;
      return;
    }
    Warn(*n, std::string(key) + " must be true or false; " + (out ? "true" : "false") + " is used");
  }

  void Amount(const toml::table* sec, std::string_view key, int32_t& out) {
    const toml::node* n = Entry(sec, key);
    if (!n) return;
    if (const std::optional<std::string_view> v = n->value_exact<std::string_view>())
      for (size_t i = 0; i < kAmountNames.size(); ++i)
        if (*v == kAmountNames[i]) {
          out = static_cast<int32_t>(i);
          return;
        }
    Warn(*n, std::string(key) + " must be \"few\", \"normal\" or \"many\"; " +
                 Quoted(kAmountNames[static_cast<size_t>(out)]) + " is used");
  }

  void Key(const toml::table* sec, std::string_view key, PhysKey& out) {
    const toml::node* n = Entry(sec, key);
    if (!n) return;
    const std::optional<std::string_view> v = n->value_exact<std::string_view>();
    const std::optional<PhysKey> k = v ? PhysKeyFromName(*v) : std::nullopt;
    if (k && *k != phys::F1) {
      out = *k;
      return;
    }
    const std::string why = !v ? " must be a key's name in quotes"
                            : k ? ": F1 always shows the controls"
                                : ": no key is called " + Quoted(*v);
    Warn(*n, std::string(key) + why + "; " + Quoted(PhysKeyName(out)) + " is used");
  }

  void Pad(const toml::table* sec, std::string_view key, PadButton& out) {
    const toml::node* n = Entry(sec, key);
    if (!n) return;
    const std::optional<std::string_view> v = n->value_exact<std::string_view>();
    const std::optional<PadButton> b = v ? PadButtonFromName(*v) : std::nullopt;
    if (b) {
      out = *b;
      return;
    }
    const std::string why = !v ? " must be a button's name in quotes" : ": no pad button is called " + Quoted(*v);
    Warn(*n, std::string(key) + why + "; " + Quoted(PadButtonName(out)) + " is used");
  }

 private:
  static const toml::node* Entry(const toml::table* sec, std::string_view key) {
    return sec ? sec->get(key) : nullptr;
  }

  void Warn(const toml::node& n, const std::string& what) {
    warnings_.push_back(name_ + ":" + std::to_string(n.source().begin.line) + ": " + what);
  }

  const toml::table& root_;
  std::string name_;
  std::vector<std::string>& warnings_;
};

KeptSettings ReadValues(const toml::table& root, const std::string& name, std::vector<std::string>& warnings) {
  KeptSettings k;
  Reader r(root, name, warnings);
  const toml::table* options = r.Section("options");
  r.Amount(options, "enemies", k.Enemies);
  r.Int(options, "lives", 1, 5, k.Lives);
  r.Bool(options, "spin_always_ready", k.SpinReady);
  r.Bool(options, "burst_always_ready", k.BurstReady);
  const toml::table* display = r.Section("display");
  r.Bool(display, "fullscreen", k.FullScreen);
  r.Int(display, "window_scale", 0, kMaxWindowScale, k.WindowScale);
  const toml::table* sound = r.Section("sound");
  r.Int(sound, "music_volume", 0, 100, k.MusicVolume);
  r.Int(sound, "effects_volume", 0, 100, k.EffectsVolume);
  for (size_t set = 0; set < kHeroSets; ++set) {
    const toml::table* keys = r.Section("keys." + std::string(kSetNames[set]));
    const toml::table* pad = r.Section("pad." + std::string(kSetNames[set]));
    for (size_t a = 0; a < kHeroActions; ++a) {
      const std::string_view action = HeroActionName(static_cast<HeroAction>(a));
      r.Key(keys, action, k.Controls.heroKeys[set][a]);
      r.Pad(pad, action, k.Controls.heroPad[set][a]);
    }
  }
  const toml::table* keys = r.Section("keys.shared");
  const toml::table* pad = r.Section("pad.shared");
  for (size_t a = 0; a < kSharedActions; ++a) {
    const std::string_view action = SharedActionName(static_cast<SharedAction>(a));
    r.Key(keys, action, k.Controls.sharedKeys[a]);
    r.Pad(pad, action, k.Controls.sharedPad[a]);
  }
  return k;
}

// A settings file is a few kilobytes; anything this big is not one.
constexpr uintmax_t kMaxFileSize = 1 << 20;

// The file's text; nothing if it does not exist; throws if it cannot be read.
std::optional<std::string> ReadText(const fs::path& file) {
  std::error_code ec;
  if (!fs::exists(file, ec)) return std::nullopt;
  if (!fs::is_regular_file(file, ec)) throw std::runtime_error("is not a file");
  if (fs::file_size(file, ec) > kMaxFileSize) throw std::runtime_error("is too big for a settings file");
  std::ifstream in(file, std::ios::binary);
  if (!in.is_open()) throw std::runtime_error("cannot be opened");
  std::ostringstream s;
  s << in.rdbuf();
  if (in.bad()) throw std::runtime_error("cannot be read");
  return s.str();
}

// ---- writing --------------------------------------------------------------------

// The names the game writes in a section.
std::set<std::string, std::less<>> KnownKeys(std::string_view section) {
  if (section == "options") return {"enemies", "lives", "spin_always_ready", "burst_always_ready"};
  if (section == "display") return {"fullscreen", "window_scale"};
  if (section == "sound") return {"music_volume", "effects_volume"};
  std::set<std::string, std::less<>> names;
  if (section.ends_with(".shared")) {
    for (int a = 0; a < kSharedActions; ++a) names.emplace(SharedActionName(static_cast<SharedAction>(a)));
  } else {
    for (int a = 0; a < kHeroActions; ++a) names.emplace(HeroActionName(static_cast<HeroAction>(a)));
  }
  return names;
}

bool IsSectionOrParent(std::string_view path) {
  for (std::string_view s : kSections)
    if (s == path || s.starts_with(std::string(path) + ".")) return true;
  return false;
}

// An entry that is written as `key = value` inside its table (no header of its own).
bool Plain(const toml::node& n) {
  if (const toml::table* t = n.as_table()) return t->is_inline();
  if (const toml::array* a = n.as_array(); a && !a->empty() && a->is_array_of_tables()) return false;
  return true;
}

std::string Line(std::string_view key, const toml::node& value) {
  toml::table one;
  one.insert(key, value);
  std::ostringstream s;
  s << toml::toml_formatter(one, toml::toml_formatter::default_flags & ~toml::format_flags::indentation);
  return s.str() + "\n";
}

// What the file held that the game does not write itself, in three parts:
// plain entries at the top, plain entries of the game's sections (written at
// the end of their section), and everything else (tables the game does not
// know, as they were, after the game's sections).
struct Unknown {
  std::string top;
  std::map<std::string, std::string, std::less<>> inSection;
  toml::table rest;
};

// Copies the parts of `from` (the table at `path`) the game does not write
// into `rest`, which stands for the same place.
void Sort(const toml::table& from, const std::string& path, Unknown& u, toml::table& rest) {
  const bool section = [&] {
    for (std::string_view s : kSections)
      if (s == path) return true;
    return false;
  }();
  const auto known = section ? KnownKeys(path) : std::set<std::string, std::less<>>{};
  for (const auto& [k, node] : from) {
    const std::string key(k.str());
    const std::string child = path.empty() ? key : path + "." + key;
    if (known.count(key)) continue;
    if (IsSectionOrParent(child)) {
      // One of the game's tables (or a parent of one): walk into it; a plain
      // value under that name cannot be kept beside the table.
      if (const toml::table* t = node.as_table()) {
        toml::table inner;
        Sort(*t, child, u, inner);
        if (!inner.empty()) rest.insert(key, std::move(inner));
      }
      continue;
    }
    if (Plain(node) && path.empty()) {
      u.top += Line(key, node);
    } else if (Plain(node) && section) {
      u.inSection[path] += Line(key, node);
    } else {
      rest.insert(key, node);
    }
  }
}

const char* Bool(bool b) { return b ? "true" : "false"; }

std::string Compose(const KeptSettings& k, const Unknown& u) {
  std::ostringstream s;
  const auto extra = [&](std::string_view section) {
    if (const auto it = u.inSection.find(section); it != u.inSection.end()) s << it->second;
  };
  s << "# Kurara & Tavo: the settings kept between runs.\n"
       "# The game writes this file when the options screen is left, when Alt+Enter\n"
       "# switches between a window and full screen and when a control is rebound on\n"
       "# the controls card (F1). Entries it does not know are kept; comments are not.\n\n";
  if (!u.top.empty()) s << u.top << "\n";
  s << "[options]\n"
       "# enemy amount: \"few\", \"normal\" or \"many\"\n"
    << "enemies = " << Quoted(kAmountNames[static_cast<size_t>(k.Enemies)]) << "\n"
    << "# lives each hero starts a game with: 1 to 5\n"
    << "lives = " << k.Lives << "\n"
    << "# always ready: the gauge is full again at once after every spin or burst\n"
    << "# (the boss is tougher then)\n"
    << "spin_always_ready = " << Bool(k.SpinReady) << "\n"
    << "burst_always_ready = " << Bool(k.BurstReady) << "\n";
  extra("options");
  s << "\n[display]\n"
       "# true: the whole screen; false: a window (Alt+Enter switches)\n"
    << "fullscreen = " << Bool(k.FullScreen) << "\n"
    << "# the window's size as a whole multiple of 640 x 480; 0: the largest that fits\n"
    << "window_scale = " << k.WindowScale << "\n";
  extra("display");
  s << "\n[sound]\n"
       "# percent, 0 to 100: the tunes, and every other sound\n"
    << "music_volume = " << k.MusicVolume << "\n"
    << "effects_volume = " << k.EffectsVolume << "\n";
  extra("sound");
  s << "\n# Keys by their place on the keyboard, named as on a US keyboard: A to Z, 0 to 9,\n"
       "# F2 to F12, Left, Right, Up, Down, Enter, Space, Escape, Tab, Backspace, Minus,\n"
       "# Equals, Comma, Period, Slash, Semicolon, Apostrophe, LeftBracket, RightBracket,\n"
       "# Backslash, Grave, LeftShift, RightShift, LeftCtrl, RightCtrl, LeftAlt, RightAlt,\n"
       "# Insert, Delete, Home, End, PageUp, PageDown, Keypad0 to Keypad9, KeypadEnter,\n"
       "# KeypadPlus, KeypadMinus, KeypadMultiply, KeypadDivide, KeypadPeriod; or \"None\".\n"
       "# F1 always shows the controls.\n";
  const auto heroBlock = [&](std::string_view kind, size_t set, auto&& value) {
    s << "[" << kind << "." << kSetNames[set] << "]";
    if (kind == "pad") s << (set == static_cast<size_t>(HeroSet::Tavo) ? "  # the first pad" : "  # the second pad");
    s << "\n";
    for (size_t a = 0; a < kHeroActions; ++a)
      s << HeroActionName(static_cast<HeroAction>(a)) << " = " << Quoted(value(a)) << "\n";
    extra(std::string(kind) + "." + std::string(kSetNames[set]));
    s << "\n";
  };
  const Bindings& b = k.Controls;
  for (size_t set = 0; set < kHeroSets; ++set)
    heroBlock("keys", set, [&](size_t a) { return PhysKeyName(b.heroKeys[set][a]); });
  s << "[keys.shared]\n";
  for (size_t a = 0; a < kSharedActions; ++a)
    s << SharedActionName(static_cast<SharedAction>(a)) << " = " << Quoted(PhysKeyName(b.sharedKeys[a])) << "\n";
  extra("keys.shared");
  s << "\n# Pad buttons, by their place on a standard pad: A (bottom), B (right), X (left),\n"
       "# Y (top), Back, Start, Guide, LeftShoulder, RightShoulder, LeftTrigger,\n"
       "# RightTrigger, LeftStick, RightStick (pressed), DpadUp, DpadDown, DpadLeft,\n"
       "# DpadRight, Misc1, Paddle1 to Paddle4, Touchpad; or \"None\". The left stick\n"
       "# walks and looks down as the d-pad does. In the menus every pad's d-pad and\n"
       "# stick are the arrows and A chooses.\n";
  for (size_t set = 0; set < kHeroSets; ++set)
    heroBlock("pad", set, [&](size_t a) { return PadButtonName(b.heroPad[set][a]); });
  s << "[pad.shared]  # on both pads\n";
  for (size_t a = 0; a < kSharedActions; ++a)
    s << SharedActionName(static_cast<SharedAction>(a)) << " = " << Quoted(PadButtonName(b.sharedPad[a])) << "\n";
  extra("pad.shared");
  if (!u.rest.empty()) s << "\n" << toml::toml_formatter(u.rest) << "\n";
  return s.str();
}

// Writes `text` to a temporary file beside `file`, flushes it to the disk and
// renames it over `file`. Returns an error text, empty on success.
std::string WriteAtomically(const fs::path& file, const std::string& text) {
  std::error_code ec;
  if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
  const fs::path temp = file.string() + ".tmp";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return temp.string() + ": " + std::strerror(errno);
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  const bool written = done == text.size() && ::fsync(fd) == 0;
  const std::string why = std::strerror(errno);
  ::close(fd);
  if (!written) {
    fs::remove(temp, ec);
    return temp.string() + ": " + why;
  }
  fs::rename(temp, file, ec);
  if (ec) {
    const std::string e = ec.message();
    fs::remove(temp, ec);
    return file.string() + ": " + e;
  }
  return {};
}

}  // namespace

SettingsRead ReadSettingsFile(const fs::path& file) {
  SettingsRead r;
  std::optional<std::string> text;
  try {
    text = ReadText(file);
  } catch (const std::exception& e) {
    r.found = true;
    r.warnings.push_back(file.string() + ": " + e.what() + "; every entry keeps its default");
    return r;
  }
  if (!text) return r;
  r.found = true;
  Parsed p = ParseLeniently(*text, file.string());
  r.warnings = std::move(p.warnings);
  r.values = ReadValues(p.table, file.string(), r.warnings);
  return r;
}

fs::path BrokenCopyName(const fs::path& file) {
  std::error_code ec;
  fs::path name = file.string() + ".broken";
  for (int i = 2; fs::exists(name, ec) && i < 1000; ++i) name = file.string() + ".broken-" + std::to_string(i);
  return name;
}

SettingsWritten WriteSettingsFile(const fs::path& file, const KeptSettings& values) {
  SettingsWritten w;
  std::optional<std::string> text;
  try {
    text = ReadText(file);
  } catch (const std::exception& e) {
    // What is there cannot be read, so it cannot be kept: leave it alone.
    w.notes.push_back(file.string() + ": " + e.what() + "; the settings are not saved");
    return w;
  }
  Unknown unknown;
  if (text) {
    Parsed p = ParseLeniently(*text, file.string());
    ReadValues(p.table, file.string(), p.warnings);
    if (!p.warnings.empty()) {
      const fs::path copy = BrokenCopyName(file);
      std::error_code ec;
      fs::copy_file(file, copy, fs::copy_options::none, ec);
      if (ec) {
        w.notes.push_back(file.string() + ": cannot keep a copy (" + ec.message() + "); the settings are not saved");
        return w;
      }
      w.notes.push_back(file.string() + ": had entries the game cannot use; the file as it was is kept as " +
                        copy.string());
    }
    Sort(p.table, "", unknown, unknown.rest);
  }
  const std::string error = WriteAtomically(file, Compose(values, unknown));
  if (!error.empty()) {
    w.notes.push_back(error + "; the settings are not saved");
    return w;
  }
  w.ok = true;
  return w;
}

}  // namespace kt
