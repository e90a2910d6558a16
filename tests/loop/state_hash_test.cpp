// The state hash covers every field the state dump shows: each is changed in
// turn through the dump's own walk over the state, so a field added to the
// dump later is covered by this test without touching it.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "loop/dump.hpp"
#include "loop/frame_loop.hpp"
#include "loop/sound.hpp"
#include "loop/startup.hpp"
#include "loop/state_fields.hpp"
#include "loop/state_hash.hpp"
#include "platform/platform.hpp"
#include "state_walk.hpp"

namespace kt {
namespace {

using test::ChangeOne;

std::unique_ptr<Game> GameInTheStage(std::unique_ptr<HeadlessPlatform>& platform) {
  return test::GameInTheStage(platform, 5, "300\n100 Enter\n300\n100 Enter\n1500\n3000 Right\n500 Right L\n");
}

TEST(StateHash, EveryFieldTheDumpShowsChangesTheHash) {
  std::unique_ptr<HeadlessPlatform> platform;
  auto g = GameInTheStage(platform);
  ASSERT_EQ(g->SceneId, scene::Gameplay);
  for (int32_t count : {g->stage.GekCount, g->stage.KurosukeCount, g->stage.PatattaCount, g->stage.SikakyCount,
                        g->stage.MogetaCount, g->stage.ByoonCount})
    ASSERT_GT(count, 0);

  const StateHashes before = HashState(*g);
  ChangeOne counter(-1);
  VisitState(*g, counter);
  ASSERT_GT(counter.Count(), 500);
  for (int i = 0; i < counter.Count(); ++i) {
    ChangeOne change(i);
    VisitState(*g, change);
    ASSERT_FALSE(change.Changed().empty()) << i;
    const StateHashes after = HashState(*g);
    EXPECT_NE(after.total, before.total) << change.Changed() << " is shown by the dump but not hashed";
    change.Undo();
    ASSERT_EQ(HashState(*g).total, before.total) << change.Changed();
  }
}

TEST(StateHash, EachRecordHasAGroupOfItsOwn) {
  std::unique_ptr<HeadlessPlatform> platform;
  auto g = GameInTheStage(platform);
  const StateHashes before = HashState(*g);
  const auto changedGroups = [&] {
    const StateHashes after = HashState(*g);
    std::string names;
    for (size_t i = 0; i < kHashGroups; ++i)
      if (after.groups[i] != before.groups[i]) names += std::string(HashGroupName(static_cast<HashGroup>(i))) + " ";
    return names;
  };
  g->Kurara.HurtTimer += 1;
  EXPECT_EQ(changedGroups(), "kurara ");
  g->Kurara.HurtTimer -= 1;
  g->enemies.byoon[3].LeapRoll += 1;  // a field the dump does not show
  EXPECT_EQ(changedGroups(), "byoon ");
  g->enemies.byoon[3].LeapRoll -= 1;
  g->rng.Next();
  EXPECT_EQ(changedGroups(), "random ");
  g->StageMap.At(260, 5) = 1;  // the arena rewrites the map
  EXPECT_EQ(changedGroups(), "random stage ");
  for (size_t i = 0; i < kHashGroups; ++i)
    EXPECT_EQ(HashGroupFromName(HashGroupName(static_cast<HashGroup>(i))), static_cast<HashGroup>(i));
}

// Pictures and sounds only show: a windowed replay whose sound device runs
// on its own clock, or whose picture differs, still matches its demo.
TEST(StateHash, PicturesAndSoundsDoNotCount) {
  std::unique_ptr<HeadlessPlatform> platform;
  auto g = GameInTheStage(platform);
  const uint64_t before = StateHash(*g);
  g->display.World().px[12345] ^= 0xffff;
  g->display.front.px[99] ^= 0xffff;
  g->BlitRect = Rect{1, 2, 3, 4};
  SoundPlay(*g, Sfx::clear);
  platform->GetMixer().Mix(nullptr, 1000);
  g->audio.step.once.push_back(Sfx::OP);
  EXPECT_EQ(StateHash(*g), before);
}

TEST(StateHash, TheDumpAndTheTraceCarryIt) {
  std::unique_ptr<HeadlessPlatform> platform;
  auto g = GameInTheStage(platform);
  std::ostringstream dump, trace;
  DumpState(*g, dump);
  EXPECT_NE(dump.str().find("\"StateHash\":\"" + HashHex(StateHash(*g)) + "\""), std::string::npos);
  EXPECT_NE(dump.str().find("\"kurara\":\"" + HashHex(HashState(*g).Of(HashGroup::Kurara)) + "\""),
            std::string::npos);
  g->trace = &trace;
  while (trace.str().empty()) ASSERT_TRUE(FramePass(*g, *platform));
  EXPECT_NE(trace.str().find("\"StateHash\":\"" + HashHex(StateHash(*g)) + "\""), std::string::npos);
}

}  // namespace
}  // namespace kt
