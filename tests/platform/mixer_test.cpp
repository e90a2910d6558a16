#include <gtest/gtest.h>

#include <memory>

#include "platform/mixer.hpp"

namespace kt {
namespace {

// A mono mixer with voices whose samples count up, so a mixed value tells the position.
std::unique_ptr<Mixer> CountingMixer(size_t length) {
  auto m = std::make_unique<Mixer>(AudioFormat{1000, 1});
  std::vector<int16_t> ramp(length);
  for (size_t i = 0; i < length; ++i) ramp[i] = static_cast<int16_t>(i + 1);
  m->Load(0, ramp);
  m->Load(1, ramp);
  return m;
}

TEST(Mixer, StartWhilePlayingLeavesItPlayingWhereItIs) {
  auto owner = CountingMixer(100);
  Mixer& m = *owner;
  EXPECT_TRUE(m.Play(0, false));
  m.Mix(nullptr, 30);
  EXPECT_FALSE(m.Play(0, false));  // no restart
  EXPECT_EQ(m.Position(0), 30u);
  int16_t out[1];
  m.Mix(out, 1);
  EXPECT_EQ(out[0], 31);
}

TEST(Mixer, OneShotAtItsEndStartsAgainFromTheBeginning) {
  auto owner = CountingMixer(100);
  Mixer& m = *owner;
  m.Play(0, false);
  m.Mix(nullptr, 150);
  EXPECT_FALSE(m.Playing(0));
  EXPECT_EQ(m.Position(0), 0u);
  EXPECT_TRUE(m.Play(0, false));
  int16_t out[1];
  m.Mix(out, 1);
  EXPECT_EQ(out[0], 1);
}

TEST(Mixer, StopKeepsThePositionAndAStartContinuesFromIt) {
  auto owner = CountingMixer(100);
  Mixer& m = *owner;
  m.Play(0, true);
  m.Mix(nullptr, 40);
  EXPECT_TRUE(m.Stop(0));
  EXPECT_FALSE(m.Stop(0));
  m.Mix(nullptr, 500);  // a stopped voice does not move
  EXPECT_EQ(m.Position(0), 40u);
  m.Play(0, true);
  int16_t out[1];
  m.Mix(out, 1);
  EXPECT_EQ(out[0], 41);
}

TEST(Mixer, LoopingWrapsSeamlessly) {
  auto owner = CountingMixer(10);
  Mixer& m = *owner;
  m.Play(0, true);
  int16_t out[25];
  m.Mix(out, 25);
  for (int i = 0; i < 25; ++i) EXPECT_EQ(out[i], i % 10 + 1) << i;
  EXPECT_TRUE(m.Playing(0));
}

TEST(Mixer, VoicesAreIndependentAndSumWithClamping) {
  Mixer m(AudioFormat{1000, 2});
  m.Load(0, {30000, -30000, 100, 100});
  m.Load(1, {30000, -30000, 5, 6});
  m.Load(2, {1, 1});
  m.Play(0, false);
  m.Play(1, false);
  int16_t out[6];
  m.Mix(out, 3);
  EXPECT_EQ(out[0], 32767);
  EXPECT_EQ(out[1], -32768);
  EXPECT_EQ(out[2], 105);
  EXPECT_EQ(out[3], 106);
  EXPECT_EQ(out[4], 0);  // both ended: silence
  EXPECT_FALSE(m.Playing(2));
  EXPECT_EQ(m.Length(0), 2u);
}

TEST(Mixer, EachVoiceHasItsOwnVolumeWhichAReloadKeeps) {
  Mixer m(AudioFormat{1000, 1});
  m.SetVolume(1, 50);  // set before the voice is loaded
  m.Load(0, {1000, -1000});
  m.Load(1, {1000, -1000});
  m.SetVolume(0, 0);
  m.Play(0, false);
  m.Play(1, false);
  int16_t out[2];
  m.Mix(out, 2);
  EXPECT_EQ(out[0], 500);
  EXPECT_EQ(out[1], -500);
  EXPECT_EQ(m.Volume(0), 0);
  EXPECT_EQ(m.Volume(1), 50);
  m.SetVolume(1, 250);  // at most all of it
  EXPECT_EQ(m.Volume(1), 100);
  m.Load(1, {7});
  m.Play(1, false);
  m.Mix(out, 1);
  EXPECT_EQ(out[0], 7);
}

TEST(Mixer, UnknownAndEmptyVoicesAreIgnored) {
  Mixer m(AudioFormat{1000, 1});
  m.Load(3, {});
  EXPECT_EQ(m.VoiceCount(), 4);
  EXPECT_FALSE(m.Play(3, false));
  EXPECT_FALSE(m.Play(9, false));
  EXPECT_FALSE(m.Stop(-1));
  int16_t out[2] = {5, 5};
  m.Mix(out, 2);
  EXPECT_EQ(out[0], 0);
}

}  // namespace
}  // namespace kt
