// The settings file: what is written is read back, what the game does not know
// is kept, what it cannot use is warned about line by line and never lost.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "loop/settings_file.hpp"

namespace fs = std::filesystem;

namespace kt {
namespace {

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("kt-settings-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    file_ = dir_ / "settings.toml";
  }
  void TearDown() override { fs::remove_all(dir_); }

  void Write(const std::string& text) const { std::ofstream(file_, std::ios::binary) << text; }
  static std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir_, file_;
};

KeptSettings Unusual() {
  KeptSettings k;
  k.Enemies = 2;
  k.Lives = 5;
  k.SpinReady = true;
  k.FullScreen = false;
  k.WindowScale = 3;
  k.MusicVolume = 40;
  k.EffectsVolume = 0;
  RebindKey(k.Controls, {false, HeroSet::Tavo, static_cast<int>(HeroAction::Punch)}, phys::Letter('J'));
  RebindKey(k.Controls, {false, HeroSet::Kurara, static_cast<int>(HeroAction::Up)}, *PhysKeyFromName("LeftShift"));
  RebindPad(k.Controls, {false, HeroSet::Kurara, static_cast<int>(HeroAction::Burst)}, PadButton::LeftTrigger);
  RebindPad(k.Controls, {true, HeroSet::Kurara, static_cast<int>(SharedAction::Costume)}, PadButton::Guide);
  k.Controls.sharedKeys[static_cast<size_t>(SharedAction::Quit)] = kNoKey;
  return k;
}

TEST_F(SettingsFile, WhatIsWrittenIsReadBackAndAMissingFileGivesTheDefaults) {
  const SettingsRead none = ReadSettingsFile(file_);
  EXPECT_FALSE(none.found);
  EXPECT_TRUE(none.warnings.empty());
  EXPECT_EQ(none.values, KeptSettings{});

  const KeptSettings k = Unusual();
  ASSERT_NE(k, KeptSettings{});
  const SettingsWritten w = WriteSettingsFile(file_, k);
  ASSERT_TRUE(w.ok);
  EXPECT_TRUE(w.notes.empty());
  const SettingsRead back = ReadSettingsFile(file_);
  EXPECT_TRUE(back.found);
  EXPECT_TRUE(back.warnings.empty()) << back.warnings.front();
  EXPECT_EQ(back.values, k);
  // Written again unchanged, the file stays the same, and nothing else is left.
  const std::string once = Read(file_);
  ASSERT_TRUE(WriteSettingsFile(file_, back.values).ok);
  EXPECT_EQ(Read(file_), once);
  EXPECT_EQ(Files(), std::vector<std::string>{"settings.toml"});
  // A person reads it: the values stand as words.
  EXPECT_NE(once.find("enemies = \"many\""), std::string::npos);
  EXPECT_NE(once.find("punch = \"J\""), std::string::npos);
  EXPECT_NE(once.find("up = \"LeftShift\""), std::string::npos);
  EXPECT_NE(once.find("burst = \"LeftTrigger\""), std::string::npos);
}

TEST_F(SettingsFile, EntriesTheGameDoesNotKnowAreKept) {
  Write("version = 7\n"
        "[options]\n"
        "lives = 4\n"
        "difficulty = \"hard\"\n"
        "colours = [1, 2, 3]\n"
        "[options.secret]\n"
        "level = 9\n"
        "[keys.tavo]\n"
        "punch = \"J\"\n"
        "macro = { a = 1 }\n"
        "[keys]\n"
        "layout = \"dvorak\"\n"
        "[[profiles]]\n"
        "name = \"first\"\n"
        "[[profiles]]\n"
        "name = \"second\"\n"
        "[mods.speedrun]\n"
        "timer = true\n");
  KeptSettings k = ReadSettingsFile(file_).values;
  EXPECT_EQ(k.Lives, 4);
  k.Lives = 1;
  ASSERT_TRUE(WriteSettingsFile(file_, k).ok);
  const SettingsRead back = ReadSettingsFile(file_);
  ASSERT_TRUE(back.warnings.empty()) << back.warnings.front() << "\n" << Read(file_);
  EXPECT_EQ(back.values.Lives, 1);
  EXPECT_EQ(back.values.Controls.heroKeys[1][static_cast<size_t>(HeroAction::Punch)], phys::Letter('J'));
  const std::string text = Read(file_);
  for (const char* kept : {"version = 7", "difficulty = 'hard'", "colours = [ 1, 2, 3 ]", "[options.secret]",
                           "level = 9", "layout = 'dvorak'", "[[profiles]]", "name = 'second'", "[mods.speedrun]",
                           "timer = true", "a = 1"})
    EXPECT_NE(text.find(kept), std::string::npos) << kept << "\n" << text;
  EXPECT_EQ(Files(), std::vector<std::string>{"settings.toml"});  // nothing was wrong: no copy
}

TEST_F(SettingsFile, ABadEntryIsWarnedAboutByLineAndKeepsItsDefault) {
  Write("[options]\n"
        "lives = 9\n"
        "enemies = \"lots\"\n"
        "spin_always_ready = \"yes\"\n"
        "burst_always_ready = true\n"
        "[sound]\n"
        "music_volume = 50\n"
        "effects_volume = 101\n"
        "[keys.kurara]\n"
        "punch = \"Shift\"\n"
        "spin = \"F1\"\n"
        "burst = \"E\"\n"
        "[pad.tavo]\n"
        "punch = \"Trigger\"\n"
        "lift = 3\n"
        "up = \"Y\"\n"
        "[display]\n"
        "window_scale = 2.5\n");
  const SettingsRead r = ReadSettingsFile(file_);
  const std::string name = file_.string();
  const std::vector<std::pair<int, std::string>> expected{
      {2, "lives"}, {3, "enemies"}, {4, "spin_always_ready"}, {18, "window_scale"}, {8, "effects_volume"},
      {10, "punch"}, {11, "spin"}, {14, "punch"}, {15, "lift"}};
  ASSERT_EQ(r.warnings.size(), expected.size());
  for (const auto& [line, key] : expected) {
    const std::string head = name + ":" + std::to_string(line) + ": " + key;
    EXPECT_TRUE(std::any_of(r.warnings.begin(), r.warnings.end(),
                            [&](const std::string& w) { return w.starts_with(head); }))
        << head;
  }
  const KeptSettings d;
  EXPECT_EQ(r.values.Lives, d.Lives);
  EXPECT_EQ(r.values.Enemies, d.Enemies);
  EXPECT_EQ(r.values.SpinReady, d.SpinReady);
  EXPECT_EQ(r.values.EffectsVolume, d.EffectsVolume);
  EXPECT_EQ(r.values.WindowScale, d.WindowScale);
  EXPECT_EQ(r.values.Controls.heroKeys[0][static_cast<size_t>(HeroAction::Punch)], phys::Letter('S'));
  EXPECT_EQ(r.values.Controls.heroKeys[0][static_cast<size_t>(HeroAction::Spin)], phys::Letter('W'));
  EXPECT_EQ(r.values.Controls.heroPad[1][static_cast<size_t>(HeroAction::Punch)], PadButton::X);
  // The good entries beside them still count.
  EXPECT_TRUE(r.values.BurstReady);
  EXPECT_EQ(r.values.MusicVolume, 50);
  EXPECT_EQ(r.values.Controls.heroKeys[0][static_cast<size_t>(HeroAction::Burst)], phys::Letter('E'));
  EXPECT_EQ(r.values.Controls.heroPad[1][static_cast<size_t>(HeroAction::Up)], PadButton::Y);
}

TEST_F(SettingsFile, ABrokenLineCostsThatLineAndTheFileIsCopiedAsideBeforeItIsRewritten) {
  const std::string broken =
      "[options]\n"
      "lives = 4\n"
      "enemies = = \"many\"\n"
      "spin_always_ready = true\n"
      "[keys.tavo\n"
      "punch = \"J\"\n";
  Write(broken);
  const SettingsRead r = ReadSettingsFile(file_);
  ASSERT_EQ(r.warnings.size(), 2u);
  EXPECT_TRUE(r.warnings[0].starts_with(file_.string() + ":3: ")) << r.warnings[0];
  EXPECT_TRUE(r.warnings[1].starts_with(file_.string() + ":5: ")) << r.warnings[1];
  EXPECT_EQ(r.values.Lives, 4);
  EXPECT_TRUE(r.values.SpinReady);
  EXPECT_EQ(r.values.Enemies, 1);
  // Reading never changes the file.
  EXPECT_EQ(Read(file_), broken);

  const SettingsWritten w = WriteSettingsFile(file_, r.values);
  ASSERT_TRUE(w.ok);
  ASSERT_EQ(w.notes.size(), 1u);
  EXPECT_NE(w.notes[0].find("settings.toml.broken"), std::string::npos) << w.notes[0];
  EXPECT_EQ(Read(dir_ / "settings.toml.broken"), broken);
  EXPECT_TRUE(ReadSettingsFile(file_).warnings.empty());
  EXPECT_EQ(ReadSettingsFile(file_).values, r.values);
  // The file is sound now: the next write keeps no second copy.
  ASSERT_TRUE(WriteSettingsFile(file_, r.values).ok);
  EXPECT_EQ(Files(), (std::vector<std::string>{"settings.toml", "settings.toml.broken"}));
  // A later broken file does not overwrite the first copy.
  Write("lives = [\n");
  ASSERT_TRUE(WriteSettingsFile(file_, r.values).ok);
  EXPECT_EQ(Read(dir_ / "settings.toml.broken"), broken);
  EXPECT_EQ(Read(dir_ / "settings.toml.broken-2"), "lives = [\n");
}

TEST_F(SettingsFile, AFailedWriteLeavesTheOldFileWholeAndSaysSo) {
  const KeptSettings k = Unusual();
  ASSERT_TRUE(WriteSettingsFile(file_, KeptSettings{}).ok);
  const std::string before = Read(file_);
  // The temporary file cannot be made (a folder stands in its place; even
  // root cannot open that for writing).
  fs::create_directory(file_.string() + ".tmp");
  const SettingsWritten w = WriteSettingsFile(file_, k);
  EXPECT_FALSE(w.ok);
  ASSERT_FALSE(w.notes.empty());
  EXPECT_NE(w.notes.back().find("not saved"), std::string::npos);
  EXPECT_EQ(Read(file_), before);
}

TEST_F(SettingsFile, TheFileIsReplacedInOneStep) {
  // The new text goes to a file beside the old one and is renamed over it:
  // the old file's inode is gone, never truncated in place.
  ASSERT_TRUE(WriteSettingsFile(file_, KeptSettings{}).ok);
  const fs::path link = dir_ / "old";
  fs::create_hard_link(file_, link);
  const std::string before = Read(file_);
  ASSERT_TRUE(WriteSettingsFile(file_, Unusual()).ok);
  EXPECT_EQ(Read(link), before);  // the old file was never written to
  EXPECT_NE(Read(file_), before);
  EXPECT_FALSE(fs::exists(file_.string() + ".tmp"));
  // A folder where the file should be is not a file: nothing is read or written.
  fs::remove(file_);
  fs::create_directory(file_);
  EXPECT_FALSE(WriteSettingsFile(file_, KeptSettings{}).ok);
  const SettingsRead r = ReadSettingsFile(file_);
  EXPECT_EQ(r.values, KeptSettings{});
  EXPECT_EQ(r.warnings.size(), 1u);
}

}  // namespace
}  // namespace kt
