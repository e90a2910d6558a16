#pragma once
// The controls card: both heroes' keys and pad buttons as bound now, and the
// shared keys, shown over the current picture. F1 opens and closes it in every
// scene (and a second's hold of Space, a pad's Back, on the title); the scene
// beneath waits meanwhile, so in the stage it pauses the game.
//
// On the card the arrows choose an action of a hero, Enter asks for its new
// key: the next key or pad button pressed is taken (the platform captures
// it), Escape cancels. A key another action had is swapped, so no key drives
// two actions; the change is kept at once.
#include "loop/game.hpp"
#include "platform/input_map.hpp"

namespace kt {

// Opens or closes the card on a fresh F1, and opens it on the title when
// Space has been held for a second. Returns whether it opened or closed.
bool ControlsCardPoll(Game& g);

void ControlsCardOpen(Game& g);
void ControlsCardClose(Game& g);

// One step of the card while it is shown (every 32 ms): moves the cursor,
// starts a rebinding on Enter, closes on Space. Returns whether it stepped.
bool ControlsCardStep(Game& g);

// The key or button the platform took while the card waited for one.
void ControlsCardTake(Game& g, const CapturedInput& input);

// The action the cursor is on.
BindingSlot ControlsCardSlot(const ControlsCardState& card);

// Draws the card over `target`, a 640 x 480 picture.
void ControlsCardDraw(const Game& g, Surface& target);

}  // namespace kt
