#pragma once
// Shared by the state hash and snapshot tests: a game busy in the stage, and
// a walker that changes one field the state dump shows and can put it back.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "loop/frame_loop.hpp"
#include "loop/startup.hpp"
#include "loop/state_fields.hpp"
#include "platform/platform.hpp"

namespace kt::test {

// A one-player game with all six kinds, a few seconds into the stage: every
// enemy table has slots in play.
inline std::unique_ptr<Game> GameInTheStage(std::unique_ptr<HeadlessPlatform>& platform, uint64_t seed,
                                            const char* script) {
  auto g = NewGame();
  platform = MakeHeadlessPlatform({0, 16, ParseKeyScript(script, "stage")});
  Startup(*g, *platform, {KT_DATA_DIR, seed});
  g->ExtraEnemiesOverride = true;
  platform->Begin(g->KeyState);
  while (platform->Elapsed() < platform->ScriptLength() && FramePass(*g, *platform)) {
  }
  return g;
}

// Changes the `target`-th field the walk shows (counting from 0; -1 changes
// nothing and only counts) and keeps what it was, so it can be put back.
class ChangeOne : public PathVisitor {
 public:
  explicit ChangeOne(int target) : target_(target) {}

  void Field(std::string_view key, int32_t& v) { Visit(key, [&] { undo_ = [&v, old = v] { v = old; }; v += 1; }); }
  void Field(std::string_view key, bool& v) { Visit(key, [&] { undo_ = [&v, old = v] { v = old; }; v = !v; }); }
  void Field(std::string_view key, float& v) { Visit(key, [&] { undo_ = [&v, old = v] { v = old; }; v += 1.0f; }); }
  void Keys(std::string_view key, KeyTable& keys) {
    Visit(key, [&] { undo_ = [&keys, old = keys] { keys = old; }; keys['Z'] = !keys['Z']; });
  }

  int Count() const { return seen_; }
  const std::string& Changed() const { return changed_; }
  void Undo() {
    if (undo_) undo_();
  }

 private:
  template <typename F>
  void Visit(std::string_view key, F change) {
    // One change per walk; the fields after it may shift (a raised enemy
    // count shows one more slot), which does not matter.
    if (seen_++ != target_) return;
    changed_ = Path(key);
    change();
  }

  int target_;
  int seen_ = 0;
  std::string changed_;
  std::function<void()> undo_;
};

}  // namespace kt::test
