// The SDL backend: a window (desktop full screen by default) showing the
// 640 x 480 picture with integer scaling, the audio device fed by the mixer,
// and key events mapped by key position to the game's virtual-key codes.
#include <SDL.h>

#include "platform/fatal.hpp"
#include "platform/platform.hpp"

namespace kt {

namespace {

constexpr int kWidth = 640, kHeight = 480;

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
    window_ = SDL_CreateWindow("Kurara & Tavo", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth * 2,
                               kHeight * 2, flags);
    if (!window_) throw FatalError(std::string("cannot open the window (") + SDL_GetError() + ")");
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) throw FatalError(std::string("cannot draw to the window (") + SDL_GetError() + ")");
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(renderer_, &info);
    vsync_ = (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
    SDL_RenderSetLogicalSize(renderer_, kWidth, kHeight);
    SDL_RenderSetIntegerScale(renderer_, SDL_TRUE);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, kWidth, kHeight);
    if (!texture_) throw FatalError(std::string("cannot create the screen texture (") + SDL_GetError() + ")");
    UpdateCursor();
  }

  void Show(const Surface& front) override {
    SDL_UpdateTexture(texture_, nullptr, front.px.data(), front.w * 2);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
  }

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
        case SDL_QUIT: keys[vk::Escape] = true; break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
          const bool down = e.type == SDL_KEYDOWN;
          if (down && (e.key.keysym.mod & KMOD_ALT) &&
              (e.key.keysym.scancode == SDL_SCANCODE_RETURN || e.key.keysym.scancode == SDL_SCANCODE_KP_ENTER)) {
            if (!e.key.repeat) ToggleFullScreen();
            break;  // Alt+Enter is the window's, not the game's
          }
          const int code = VirtualKey(e.key.keysym.scancode);
          if (code >= 0) keys[static_cast<size_t>(code)] = down;
          break;
        }
        case SDL_WINDOWEVENT:
          // Keys released while another window has the focus never arrive here.
          if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) keys.fill(false);
          break;
        default: break;
      }
    }
  }

  void IdleUntil(uint32_t dueTick) override {
    if (vsync_) return;
    const uint32_t now = SDL_GetTicks();
    const auto wait = static_cast<int32_t>(dueTick - now);
    if (wait > 0) SDL_Delay(static_cast<Uint32>(wait < 100 ? wait : 100));
  }

  void ReportFatal(const std::string& message) override {
    if (window_) SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Kurara & Tavo", message.c_str(), window_);
  }

 private:
  static void AudioCallback(void* self, Uint8* stream, int len) {
    auto* p = static_cast<SdlPlatform*>(self);
    const auto channels = static_cast<size_t>(p->mixer_->Format().channels);
    p->mixer_->Mix(reinterpret_cast<int16_t*>(stream), static_cast<size_t>(len) / 2 / channels);
  }

  void ToggleFullScreen() {
    const bool full = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    SDL_SetWindowFullscreen(window_, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    UpdateCursor();
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
  bool vsync_ = false;
};

}  // namespace

std::unique_ptr<Platform> MakeSdlPlatform(const SdlOptions& options) { return std::make_unique<SdlPlatform>(options); }

}  // namespace kt
