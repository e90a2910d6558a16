// The SDL backend: a window (desktop full screen by default) showing the
// 640 x 480 picture with integer scaling, the audio device fed by the mixer,
// key events mapped by key position (and pad buttons) to the game's
// virtual-key codes through the player's bindings, and the pads, hot-plugged.
#include <SDL.h>

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/fatal.hpp"
#include "platform/platform.hpp"
#include "platform/window_guard.hpp"

namespace kt {

namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr const char* kTitle = "Kurara & Tavo";

// SDL's buttons by our names (its order, shifted by our None).
PadButton FromSdl(Uint8 button) {
  return button < SDL_CONTROLLER_BUTTON_MAX ? static_cast<PadButton>(button + 1) : PadButton::None;
}

// A stick pushed past 50 % counts, and stays pushed until it is back below
// 35 %; a trigger the same.
constexpr int kPushed = 16384, kLetGo = 11469;

// Video drivers that show nothing: no message box can reach a person there.
bool InvisibleDriver(const char* driver) {
  if (!driver) return true;
  const std::string_view d = driver;
  return d == "dummy" || d == "offscreen" || d == "evdev";
}

// The largest whole scale of 640 x 480 that fits the display's usable area
// (the desktop without its panels), at least 1; a scale asked for is kept
// within it.
int WindowScale(int wanted) {
  SDL_Rect usable{};
  const int fits = SDL_GetDisplayUsableBounds(0, &usable) != 0
                       ? 2
                       : std::max(1, std::min(usable.w / kWidth, usable.h / kHeight));
  return wanted > 0 ? std::min(wanted, fits) : fits;
}

class SdlPlatform final : public Platform {
 public:
  explicit SdlPlatform(const SdlOptions& options) : options_(options) {
    if (SDL_Init(SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) throw FatalError(std::string("SDL: ") + SDL_GetError());
    OpenPads();
  }

  ~SdlPlatform() override {
    for (SDL_GameController*& pad : pads_)
      if (pad) SDL_GameControllerClose(pad);
    if (audio_) SDL_CloseAudioDevice(audio_);
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    window_guard::Release();
    SDL_ShowCursor(SDL_ENABLE);
    SDL_Quit();
  }

  uint32_t Ticks() override { return SDL_GetTicks(); }

  // Opening again keeps what is open: a second device or window would
  // leave the first one running with nothing to close it (and a mixer the
  // game still plays into replaced under it).
  Mixer& OpenAudio() override {
    if (mixer_) return *mixer_;
    if (options_.mute) {
      mixer_ = std::make_unique<Mixer>();
      lastMixTick_ = SDL_GetTicks();
      return *mixer_;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
      throw FatalError(std::string("no sound device (") + SDL_GetError() + "); --mute plays without sound");
    SDL_AudioSpec want{}, have{};
    want.freq = 44100;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = &SdlPlatform::AudioCallback;
    want.userdata = this;
    audio_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (!audio_) throw FatalError(std::string("cannot open the sound device (") + SDL_GetError() + "); --mute plays without sound");
    mixer_ = std::make_unique<Mixer>(AudioFormat{have.freq, have.channels});
    SDL_PauseAudioDevice(audio_, 0);
    return *mixer_;
  }

  void OpenDisplay() override {
    if (window_) return;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) throw FatalError(std::string("no display (") + SDL_GetError() + ")");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    const Uint32 flags = options_.window ? SDL_WINDOW_RESIZABLE : SDL_WINDOW_FULLSCREEN_DESKTOP;
    const int scale = WindowScale(options_.windowScale);
    window_ = SDL_CreateWindow(kTitle, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth * scale,
                               kHeight * scale, flags);
    if (!window_) throw FatalError(std::string("cannot open the window (") + SDL_GetError() + ")");
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) throw FatalError(std::string("cannot draw to the window (") + SDL_GetError() + ")");
    // Creating the renderer may have made the window anew for its graphics
    // context: watch the one that stays.
    window_guard::Watch(window_);
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(renderer_, &info);
    software_ = (info.flags & SDL_RENDERER_SOFTWARE) != 0;
    SDL_RenderSetLogicalSize(renderer_, kWidth, kHeight);
    SDL_RenderSetIntegerScale(renderer_, SDL_TRUE);
    // A software renderer draws into the window's own pixels: a texture in
    // their format, filled by widening the picture once, makes the present a
    // plain copy instead of a copy into the texture and a conversion by SDL.
    Uint32 format = SDL_PIXELFORMAT_RGB565;
    wide_ = false;
    if (software_) {
      const Uint32 native = SDL_GetWindowPixelFormat(window_);
      if (native == SDL_PIXELFORMAT_RGB888 || native == SDL_PIXELFORMAT_ARGB8888) {
        format = native;
        wide_ = true;
      }
    }
    texture_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STREAMING, kWidth, kHeight);
    if (!texture_) throw FatalError(std::string("cannot create the screen texture (") + SDL_GetError() + ")");
    UpdateCursor();
  }

  void Show(const Surface& front) override {
    // Take in the window system's news first: a window destroyed from
    // outside must not be drawn into.
    SDL_PumpEvents();
    if (window_guard::Gone()) return;
    if (!wide_) {
      SDL_UpdateTexture(texture_, nullptr, front.px.data(), front.w * 2);
    } else {
      void* pixels = nullptr;
      int pitch = 0;
      if (SDL_LockTexture(texture_, nullptr, &pixels, &pitch) != 0) return;
      for (int32_t row = 0; row < front.h; ++row)
        WidenRow(front.px.data() + static_cast<size_t>(row) * front.w,
                 reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pixels) + static_cast<ptrdiff_t>(row) * pitch),
                 front.w);
      SDL_UnlockTexture(texture_);
    }
    hasPicture_ = true;
    Render();
  }

  uint64_t Presents() const override { return presents_; }

  void ProcessMessages(KeyTable& keys) override {
    if (options_.mute && mixer_) {
      // Without a device the voices still run on the clock.
      const uint32_t now = SDL_GetTicks();
      mixer_->Mix(nullptr, static_cast<size_t>(uint64_t{now - lastMixTick_} *
                                               static_cast<uint64_t>(mixer_->Format().rate) / 1000));
      lastMixTick_ = now;
    }
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
      switch (e.type) {
        case SDL_QUIT: quit_ = true; break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
          const bool down = e.type == SDL_KEYDOWN;
          if (down && (e.key.keysym.mod & KMOD_ALT) &&
              (e.key.keysym.scancode == SDL_SCANCODE_RETURN || e.key.keysym.scancode == SDL_SCANCODE_KP_ENTER)) {
            if (!e.key.repeat) ToggleFullScreen();
            break;  // Alt+Enter is the window's, not the game's
          }
          // SDL's scancodes are the keys' USB usage numbers.
          map_.Key(static_cast<PhysKey>(std::min<int>(e.key.keysym.scancode, kPhysKeys)), down, e.key.repeat != 0);
          break;
        }
        case SDL_CONTROLLERDEVICEADDED: OpenPad(e.cdevice.which); break;
        case SDL_CONTROLLERDEVICEREMOVED: ClosePad(e.cdevice.which); break;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
          if (const int pad = PadOf(e.cbutton.which); pad >= 0)
            map_.Button(pad, FromSdl(e.cbutton.button), e.type == SDL_CONTROLLERBUTTONDOWN);
          break;
        case SDL_CONTROLLERAXISMOTION:
          if (const int pad = PadOf(e.caxis.which); pad >= 0) Axis(pad, e.caxis.axis, e.caxis.value);
          break;
        case SDL_WINDOWEVENT:
          switch (e.window.event) {
            case SDL_WINDOWEVENT_FOCUS_LOST:
              // Keys released while another window has the focus never
              // arrive here; the stage pauses.
              map_.FocusLost();
              break;
            case SDL_WINDOWEVENT_EXPOSED:
            case SDL_WINDOWEVENT_SHOWN:
            case SDL_WINDOWEVENT_RESTORED:
            case SDL_WINDOWEVENT_SIZE_CHANGED: repaint_ = true; break;
            default: break;
          }
          break;
        case SDL_RENDER_TARGETS_RESET:
        case SDL_RENDER_DEVICE_RESET: repaint_ = true; break;
        case SDL_SYSWMEVENT: window_guard::Notice(e); break;
        default: break;
      }
    }
    if (window_guard::Gone()) quit_ = true;
    // The table is made afresh from the keys' real levels every pass, so
    // whatever the game wrote into it (the one-player key copies) lasts one
    // pass only.
    map_.Fill(keys);
    // A closed window arrives as Escape.
    if (quit_) keys[vk::Escape] = true;
    // An exposed, resized or toggled window shows its last picture again.
    if (repaint_ && hasPicture_ && !window_guard::Gone()) Render();
  }

  void IdleUntil(uint32_t dueTick) override {
    // The loop sleeps until the next step is due, whatever the display does:
    // a present that waits for the display's refresh only takes part of that
    // wait, and one that does not wait (no vsync, a software renderer, a
    // hidden window) cannot make the loop spin.
    const auto wait = static_cast<int32_t>(dueTick - SDL_GetTicks());
    if (wait > 0) SDL_Delay(static_cast<Uint32>(std::min(wait, 100)));
  }

  void SetBindings(const Bindings& b) override { map_.SetBindings(b); }
  void SetPadLayout(PadLayout layout) override { map_.SetLayout(layout); }
  void SetCapture(bool on) override { map_.SetCapture(on); }
  std::optional<CapturedInput> TakeCaptured() override { return map_.TakeCaptured(); }
  std::optional<bool> TakeFullScreenChange() override {
    std::optional<bool> c = fullScreenChange_;
    fullScreenChange_.reset();
    return c;
  }

  void ReportFatal(const std::string& message) override {
    if (window_ && !window_guard::Gone()) {
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, kTitle, message.c_str(), window_);
      return;
    }
    // Before the window exists (a missing sound, no sound device) the message
    // box needs the video system, and a display a person can see.
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return;
    if (InvisibleDriver(SDL_GetCurrentVideoDriver())) return;
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, kTitle, message.c_str(), nullptr);
  }

 private:
  // Puts the screen texture on screen, letterboxed.
  void Render() {
    // The letterbox bars need clearing only after a repaint on a software
    // renderer, whose window keeps its pixels; elsewhere the buffer's
    // contents after a present are undefined, so it is cleared every time.
    if (repaint_ || !software_) {
      SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
      SDL_RenderClear(renderer_);
    }
    repaint_ = false;
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
    ++presents_;
  }

  static void AudioCallback(void* self, Uint8* stream, int len) {
    auto* p = static_cast<SdlPlatform*>(self);
    const auto channels = static_cast<size_t>(p->mixer_->Format().channels);
    p->mixer_->Mix(reinterpret_cast<int16_t*>(stream), static_cast<size_t>(len) / 2 / channels);
  }

  void ToggleFullScreen() {
    const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    if (SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) == 0) fullScreenChange_ = !full;
    UpdateCursor();
    repaint_ = true;
  }

  // ---- pads ----

  // Pads are optional: without the subsystem the game plays on the keyboard.
  void OpenPads() {
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return;
    std::error_code ec;
    if (!options_.padMappings.empty() && std::filesystem::is_regular_file(options_.padMappings, ec) &&
        SDL_GameControllerAddMappingsFromFile(options_.padMappings.string().c_str()) < 0)
      SDL_Log("%s: %s", options_.padMappings.string().c_str(), SDL_GetError());
    for (int i = 0; i < SDL_NumJoysticks(); ++i) OpenPad(i);
  }

  // The pad at device index `index` takes the first free place: the first
  // pad plays the arrow-key hero, the second the other. More stay unused
  // until a place is free.
  void OpenPad(int index) {
    if (!SDL_IsGameController(index)) return;
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
    if (PadOf(id) >= 0) return;
    for (size_t slot = 0; slot < pads_.size(); ++slot) {
      if (pads_[slot]) continue;
      pads_[slot] = SDL_GameControllerOpen(index);
      if (pads_[slot]) padIds_[slot] = id;
      return;
    }
  }

  void ClosePad(SDL_JoystickID id) {
    const int slot = PadOf(id);
    if (slot < 0) return;
    SDL_GameControllerClose(pads_[static_cast<size_t>(slot)]);
    pads_[static_cast<size_t>(slot)] = nullptr;
    padIds_[static_cast<size_t>(slot)] = -1;
    sticks_[static_cast<size_t>(slot)] = {};
    map_.PadRemoved(slot);
    // A pad that found no place before may take this one.
    for (int i = 0; i < SDL_NumJoysticks(); ++i) OpenPad(i);
  }

  int PadOf(SDL_JoystickID id) const {
    for (size_t slot = 0; slot < padIds_.size(); ++slot)
      if (pads_[slot] && padIds_[slot] == id) return static_cast<int>(slot);
    return -1;
  }

  void Axis(int pad, Uint8 axis, Sint16 value) {
    auto& pushed = sticks_[static_cast<size_t>(pad)];
    const auto set = [&](size_t i, bool now, auto&& report) {
      if (pushed[i] == now) return;
      pushed[i] = now;
      report(now);
    };
    const auto push = [&](size_t i, int amount, auto&& report) {
      set(i, pushed[i] ? amount > kLetGo : amount > kPushed, report);
    };
    const auto stick = [&](StickDirection d) { return [this, pad, d](bool now) { map_.Stick(pad, d, now); }; };
    const auto button = [&](PadButton b) { return [this, pad, b](bool now) { map_.Button(pad, b, now); }; };
    switch (axis) {
      case SDL_CONTROLLER_AXIS_LEFTX:
        push(0, -value, stick(StickDirection::Left));
        push(1, value, stick(StickDirection::Right));
        break;
      case SDL_CONTROLLER_AXIS_LEFTY:
        push(2, -value, stick(StickDirection::Up));
        push(3, value, stick(StickDirection::Down));
        break;
      case SDL_CONTROLLER_AXIS_TRIGGERLEFT: push(4, value, button(PadButton::LeftTrigger)); break;
      case SDL_CONTROLLER_AXIS_TRIGGERRIGHT: push(5, value, button(PadButton::RightTrigger)); break;
      default: break;
    }
  }

  void UpdateCursor() {
    const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    SDL_ShowCursor(full ? SDL_DISABLE : SDL_ENABLE);
  }

  SdlOptions options_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  SDL_AudioDeviceID audio_ = 0;
  std::unique_ptr<Mixer> mixer_;
  uint32_t lastMixTick_ = 0;
  InputMap map_;
  std::array<SDL_GameController*, InputMap::kPads> pads_{};
  std::array<SDL_JoystickID, InputMap::kPads> padIds_{-1, -1};
  std::array<std::array<bool, 6>, InputMap::kPads> sticks_{};  // left, right, up, down, LT, RT pushed
  std::optional<bool> fullScreenChange_;
  bool quit_ = false;
  bool repaint_ = true;  // the window needs its picture drawn again (and cleared) at the next chance
  bool hasPicture_ = false;  // the screen texture holds a picture
  bool software_ = false;    // drawing on the processor, into the window's own pixels
  bool wide_ = false;        // the screen texture is in the window's 32-bit format
  uint64_t presents_ = 0;
};

}  // namespace

std::unique_ptr<Platform> MakeSdlPlatform(const SdlOptions& options) { return std::make_unique<SdlPlatform>(options); }

}  // namespace kt
