#pragma once
// The autoplayer: looks at the game after every pass and holds the keys a
// player would hold for the next one. It reads the game and never writes it;
// everything it does goes through the key table.
#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>

#include "autoplay/foresight.hpp"
#include "loop/game.hpp"

namespace kt::autoplay {

// What the player wants of a game.
struct BotGoal {
  int32_t players = 1;        // chosen in the main menu
  bool extraEnemies = false;  // M and B held when the game starts
  int32_t enemyAmount = 0;    // 10, 20 or 30 through the options screen; 0 leaves it
  int32_t lives = 0;          // 1..5 through the options screen; 0 leaves it
  bool fight = true;          // false: walks on and never strikes (to lose)
};

// What one hero is to do in the next step.
struct Intent {
  int32_t walk = 0;  // -1 left, 1 right
  bool dash = false;
  bool jump = false;
  bool crouch = false;
  bool punch = false, spin = false, burst = false, lift = false;
};

// The keys of one hero.
struct Pad {
  uint8_t left, right, up, down, punch, spin, burst, lift;
};
inline constexpr Pad kTavoPad{vk::Left, vk::Right, vk::Up, vk::Down, 'L', 'O', 'I', 'K'};
inline constexpr Pad kKuraraPad{'X', 'V', 'D', 'C', 'S', 'W', 'Q', 'A'};

class Bot {
 public:
  // `seed` draws the player's own habits (how long he looks before he
  // starts, how far the partner keeps back, small pauses on the way), so
  // every seed plays a game of its own; the same seed plays the same game.
  explicit Bot(const BotGoal& goal, uint64_t seed = 0);

  // The keys to hold in the next pass.
  KeyTable Keys(const Game& g);

  // The last decisions, in words (for looking into a lost life).
  const std::deque<std::string>& Notes() const { return notes_; }

  // Decisions for one hero, open for the tests.
  // `lead`: with two players the second hero keeps a little behind the
  // first (or away from him before the boss), so one blow does not take both.
  Intent StageIntent(const Game& g, const Hero& h, const Hero& partner, const Hero* lead = nullptr) const;
  Intent BossIntent(const Game& g, const Hero& h, const Hero& partner, const Hero* lead = nullptr) const;

 private:
  void FrontEnd(const Game& g, KeyTable& k);
  void Options(const Game& g, KeyTable& k);
  void Fight(const Game& g, KeyTable& k);
  // Turns an intent into keys, minding what the hero's state makes of them.
  void Press(const Hero& h, const Intent& i, const Pad& pad, KeyTable& k) const;

  // How things moved in the last step, to see where they go.
  struct Motion {
    int32_t x, y, vx, vy;
  };
  void Remember(const Game& g);
  Motion MotionOf(const void* key, int32_t x, int32_t y) const;

  // The player's own dice (not the game's): splitmix64.
  uint32_t Roll(uint32_t n) const;

  BotGoal goal_;
  mutable uint64_t dice_ = 0;
  int32_t horizon_ = 14;         // steps looked ahead on the way
  int32_t gap_ = 110;            // how far the second hero keeps behind the first
  int32_t startDelay_ = 0;       // ms the heroes stand before they set out
  int32_t startUntil_ = -1;
  bool optionsDone_ = false;
  std::unordered_map<const void*, Motion> motion_;
  int32_t seenTick_ = -1;   // the mark of the last step seen
  bool stepped_ = false;    // a step ran in the pass just ended
  int32_t furthest_ = 0, stuckSteps_ = 0;  // the stage: held up, the hero pushes on
  mutable std::deque<std::string> notes_;
  // Per hero (Tavo, Kurara): the way chosen last, kept while it stays safe if it was an escape.
  struct Memory {
    Plan plan;
    bool escaping = false;
    int32_t tick = -1;
    int32_t lastX = 0, blocked = 0;  // steps walked on the ground without getting anywhere
    int32_t pauseUntil = 0;          // a short look round on the way
  };
  mutable Memory memory_[2];
  void Note(const Game& g, const Hero& h, const std::string& what) const;
};

}  // namespace kt::autoplay
