#pragma once
// What the game needs from the machine: a millisecond clock, a screen to show
// the flipped picture on, key events delivered between passes, an audio device
// fed by the mixer, and the data files. Two backends: SDL (window, real clock,
// audio device) and headless (fake clock, scripted keys, no devices).
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/bindings.hpp"
#include "platform/data_checks.hpp"
#include "platform/input_map.hpp"
#include "platform/keys.hpp"
#include "platform/mixer.hpp"
#include "platform/surface.hpp"

namespace kt {

class Platform {
 public:
  virtual ~Platform() = default;

  // Milliseconds since some start, wrapping at 2^32.
  virtual uint32_t Ticks() = 0;

  // Brings up the audio device (or, muted or headless, a mixer fed by nothing)
  // and returns the mixer the sounds are loaded into. Called before OpenDisplay.
  virtual Mixer& OpenAudio() = 0;
  virtual void OpenDisplay() = 0;

  // Puts the 640 x 480 front picture on screen. A backend may skip a
  // picture the screen already shows.
  virtual void Show(const Surface& front) = 0;

  // How many pictures were really put on screen so far.
  virtual uint64_t Presents() const { return 0; }

  // Handles the events that arrived since the last call and fills `keys`
  // afresh with the level of every key, so nothing the game wrote into the
  // table outlives the pass. A key that went down and up again since the last
  // call shows as down. This is the only place key levels change. A closed
  // window arrives as Escape.
  virtual void ProcessMessages(KeyTable& keys) = 0;

  // Called at the end of a pass with the tick at which the next scene step is
  // due: a backend with a real clock sleeps until then instead of spinning.
  virtual void IdleUntil(uint32_t dueTick) = 0;

  // Reports a fatal error to the player: a message box where a person can
  // see one, also when it happens before the window opened.
  virtual void ReportFatal(const std::string&) {}

  // ---- controls (a backend without a keyboard or pads ignores them) ----

  // Which keys and pad buttons drive which virtual keys from now on.
  virtual void SetBindings(const Bindings&) {}
  // Whether the pads navigate menus or drive the heroes (see PadLayout).
  virtual void SetPadLayout(PadLayout) {}
  // Rebinding: while on, the next key or button pressed is taken instead of
  // reaching the game (Escape cancels); TakeCaptured hands it over once.
  virtual void SetCapture(bool) {}
  virtual std::optional<CapturedInput> TakeCaptured() { return std::nullopt; }
  // After Alt+Enter: whether the window is now full screen; once per toggle.
  virtual std::optional<bool> TakeFullScreenChange() { return std::nullopt; }
};

struct SdlOptions {
  bool window = false;  // false: desktop full screen
  bool mute = false;    // no audio device
  int windowScale = 0;  // whole scale of the window; 0: the largest that fits the desktop
  // Extra pad mappings in SDL's gamecontrollerdb.txt format, read if the file exists.
  std::filesystem::path padMappings;
};
std::unique_ptr<Platform> MakeSdlPlatform(const SdlOptions& options);

// One line of a key script: hold exactly `keys` for `ms` milliseconds.
struct ScriptLine {
  uint32_t ms = 0;
  std::vector<uint8_t> keys;
};
// Parses "<ms> [KEY ...]" lines, '#' starts a comment. Throws FatalError naming
// `name` and the line for anything else.
std::vector<ScriptLine> ParseKeyScript(const std::string& text, const std::string& name);

struct HeadlessOptions {
  uint32_t startTick = 0;
  uint32_t tickMs = 16;
  std::vector<ScriptLine> script;
};
class HeadlessPlatform;
std::unique_ptr<HeadlessPlatform> MakeHeadlessPlatform(const HeadlessOptions& options);

// The headless backend, open for tests and the runner.
class HeadlessPlatform : public Platform {
 public:
  explicit HeadlessPlatform(const HeadlessOptions& options);
  uint32_t Ticks() override { return now_; }
  Mixer& OpenAudio() override { return mixer_; }
  void OpenDisplay() override {}
  void Show(const Surface&) override { ++shown_; }
  void ProcessMessages(KeyTable& keys) override;
  void IdleUntil(uint32_t) override {}
  // Rebinding takes the next key the script presses, by the same name.
  void SetCapture(bool on) override;
  std::optional<CapturedInput> TakeCaptured() override;

  // Sets the keys of the script's first moment (before the first pass).
  void Begin(KeyTable& keys);
  // Game time since the start, in ms; counts on past 2^32 while the clock wraps.
  uint64_t Elapsed() const { return elapsed_; }
  // Total length of the script in ms.
  uint64_t ScriptLength() const { return scriptLength_; }
  uint64_t Shown() const { return shown_; }
  Mixer& GetMixer() { return mixer_; }

 private:
  void ApplyScript(KeyTable& keys) const;

  uint32_t now_, tickMs_;
  uint64_t elapsed_ = 0;
  std::vector<ScriptLine> script_;
  uint64_t scriptLength_ = 0;
  uint64_t shown_ = 0;
  Mixer mixer_;
  KeyTable scripted_{};   // the script's keys of the last pass
  KeyTable heldBack_{};   // taken for rebinding: raise nothing until let go
  bool capturing_ = false;
  std::optional<CapturedInput> captured_;
};

// ---- data files (implemented with SDL's loaders) -------------------------------

// Loads a BMP (any depth SDL reads) whose size lies within `limits` and
// converts it to RGB565. Throws FatalError naming the file if it is missing,
// not a regular file, empty, truncated, of another size, or not a BMP.
Surface LoadBitmap(const std::filesystem::path& path, const PictureLimits& limits);
// The same from the bytes of a whole file that `name` names.
Surface DecodeBitmap(std::span<const uint8_t> file, const std::string& name, const PictureLimits& limits);

// Loads a WAV and converts it once to `format`. Throws FatalError naming the
// file if it is missing, not a regular file, empty, truncated, too large, at a
// rate outside 8,000-192,000 Hz, longer than a minute or not a WAV.
std::vector<int16_t> LoadWave(const std::filesystem::path& path, const AudioFormat& format);
// The same from the bytes of a whole file that `name` names.
std::vector<int16_t> DecodeWave(std::span<const uint8_t> file, const std::string& name, const AudioFormat& format);

// Writes a picture as a 16-bit BMP.
void SaveBitmap(const std::filesystem::path& path, const Surface& s);

// The folder that holds the running program.
std::filesystem::path ProgramDir();

// The player's own folder for the game (settings, pad mappings), made if
// missing: $XDG_DATA_HOME/kurara-tavo/ or ~/.local/share/kurara-tavo/ on
// Linux. Throws FatalError if there is none.
std::filesystem::path UserDataDir();

}  // namespace kt
