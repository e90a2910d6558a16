// The SDL backend: a window (desktop full screen by default) showing the
// 640 x 480 picture with integer scaling, the audio device fed by the mixer,
// and key events mapped by key position to the game's virtual-key codes.
#include <SDL.h>

#include <algorithm>
#include <string_view>

#include "platform/fatal.hpp"
#include "platform/platform.hpp"
#include "platform/window_guard.hpp"

namespace kt {

namespace {

constexpr int kWidth = 640, kHeight = 480;
constexpr const char* kTitle = "Kurara & Tavo";

// Key positions, so the keys keep their places on any keyboard layout.
int VirtualKey(SDL_Scancode sc) {
  if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 'A' + (sc - SDL_SCANCODE_A);
  switch (sc) {
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER: return vk::Enter;
    case SDL_SCANCODE_ESCAPE: return vk::Escape;
    case SDL_SCANCODE_SPACE: return vk::Space;
    case SDL_SCANCODE_LEFT: return vk::Left;
    case SDL_SCANCODE_UP: return vk::Up;
    case SDL_SCANCODE_RIGHT: return vk::Right;
    case SDL_SCANCODE_DOWN: return vk::Down;
    case SDL_SCANCODE_F6: return vk::F6;
    default: return -1;
  }
}

// Video drivers that show nothing: no message box can reach a person there.
bool InvisibleDriver(const char* driver) {
  if (!driver) return true;
  const std::string_view d = driver;
  return d == "dummy" || d == "offscreen" || d == "evdev";
}

// The largest whole scale of 640 x 480 that fits the display's usable area
// (the desktop without its panels), at least 1.
int WindowScale() {
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 2;
  return std::max(1, std::min(usable.w / kWidth, usable.h / kHeight));
}

class SdlPlatform final : public Platform {
 public:
  explicit SdlPlatform(const SdlOptions& options) : options_(options) {
    if (SDL_Init(SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) throw FatalError(std::string("SDL: ") + SDL_GetError());
  }

  ~SdlPlatform() override {
    if (audio_) SDL_CloseAudioDevice(audio_);
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    window_guard::Release();
    SDL_ShowCursor(SDL_ENABLE);
    SDL_Quit();
  }

  uint32_t Ticks() override { return SDL_GetTicks(); }

  Mixer& OpenAudio() override {
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
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) throw FatalError(std::string("no display (") + SDL_GetError() + ")");
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    const Uint32 flags = options_.window ? SDL_WINDOW_RESIZABLE : SDL_WINDOW_FULLSCREEN_DESKTOP;
    const int scale = WindowScale();
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
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, kWidth, kHeight);
    if (!texture_) throw FatalError(std::string("cannot create the screen texture (") + SDL_GetError() + ")");
    UpdateCursor();
  }

  void Show(const Surface& front) override {
    // Take in the window system's news first: a window destroyed from
    // outside must not be drawn into.
    SDL_PumpEvents();
    if (window_guard::Gone()) return;
    SDL_UpdateTexture(texture_, nullptr, front.px.data(), front.w * 2);
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
          const int code = VirtualKey(e.key.keysym.scancode);
          if (code < 0) break;
          levels_[static_cast<size_t>(code)] = down;
          // A key that goes down and up again before the next pass still
          // shows as down for one pass.
          if (down && !e.key.repeat) latched_[static_cast<size_t>(code)] = true;
          break;
        }
        case SDL_WINDOWEVENT:
          switch (e.window.event) {
            case SDL_WINDOWEVENT_FOCUS_LOST:
              // Keys released while another window has the focus never arrive here.
              levels_.fill(false);
              latched_.fill(false);
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
    for (size_t k = 0; k < keys.size(); ++k) keys[k] = levels_[k] || latched_[k];
    latched_.fill(false);
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
    SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    UpdateCursor();
    repaint_ = true;
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
  KeyTable levels_{};   // each key's level as the last event left it
  KeyTable latched_{};  // went down since the last pass
  bool quit_ = false;
  bool repaint_ = true;  // the window needs its picture drawn again (and cleared) at the next chance
  bool hasPicture_ = false;  // the screen texture holds a picture
  bool software_ = false;    // drawing on the processor, into the window's own pixels
  uint64_t presents_ = 0;
};

}  // namespace

std::unique_ptr<Platform> MakeSdlPlatform(const SdlOptions& options) { return std::make_unique<SdlPlatform>(options); }

}  // namespace kt
