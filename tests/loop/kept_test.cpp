// The kept settings in the game: the options screen's values with their
// markers, the volumes of the tunes and of the other sounds, the file written
// when the options screen is left; and a headless run that touches no
// player's folder unless it is given a file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "loop/preferences.hpp"
#include "rig.hpp"

namespace fs = std::filesystem;

namespace kt {
namespace {

using test::Rig;

TEST(Kept, TheValuesReachTheOptionsScreenAndTheVoices) {
  Rig rig;
  Game& g = rig.g();
  KeptSettings k;
  k.Enemies = 0;
  k.Lives = 4;
  k.BurstReady = true;
  k.MusicVolume = 30;
  k.EffectsVolume = 80;
  ApplyKept(g, k);
  EXPECT_EQ(g.settings.EnemyAmount, g.settings.EnemyAmountLow);
  EXPECT_EQ(g.settings.AmountMarkX, 295);
  EXPECT_EQ(g.settings.LivesSetting, 4);
  EXPECT_EQ(g.settings.LivesMarkX, 495);
  EXPECT_EQ(g.settings.FullHitGauge, 0);
  EXPECT_EQ(g.settings.HitGaugeMarkX, 445);
  EXPECT_EQ(g.settings.FullHurtGauge, 1);
  EXPECT_EQ(g.settings.HurtGaugeMarkX, 360);
  EXPECT_EQ(KeptFrom(g), k);
  const Mixer& m = *g.audio.mixer;
  for (const Sfx music : {Sfx::OP, Sfx::BossS, Sfx::story, Sfx::clear, Sfx::G_over})
    EXPECT_EQ(m.Volume(static_cast<int>(music)), 30) << SoundName(music);
  for (const Sfx effect : {Sfx::sentaku, Sfx::K_yarare, Sfx::nigekoe, Sfx::bosshaba})
    EXPECT_EQ(m.Volume(static_cast<int>(effect)), 80) << SoundName(effect);
}

TEST(Kept, LeavingTheOptionsScreenKeepsItsChoices) {
  const fs::path file = fs::temp_directory_path() / ("kt-kept-" + std::to_string(::getpid()) + ".toml");
  fs::remove(file);
  // Right on the amount row (many), down to the exit row, Enter.
  std::vector<ScriptLine> script{{100, {}}, {100, {vk::Right}}, {100, {}}};
  for (int i = 0; i < 4; ++i) {
    script.push_back({100, {vk::Down}});
    script.push_back({100, {}});
  }
  script.push_back({100, {vk::Enter}});
  script.push_back({200, {}});
  Rig rig(1000, 16, script);
  Game& g = rig.g();
  g.prefs.File = file;
  g.SceneId = scene::Options;
  ASSERT_TRUE(rig.RunFor(1000));
  ASSERT_FALSE(fs::exists(file));  // not before the screen is left
  ASSERT_TRUE(rig.RunFor(600));
  ASSERT_EQ(g.SceneId, scene::Menu);
  const SettingsRead r = ReadSettingsFile(file);
  EXPECT_TRUE(r.warnings.empty());
  EXPECT_EQ(r.values.Enemies, 2);
  fs::remove(file);
}

// Runs the game headless with the player's folders in `home`; returns the exit status.
int RunHeadless(const fs::path& home, const std::string& args) {
  const fs::path program = fs::path(KT_DATA_DIR).parent_path() / "kurara-tavo";
  const std::string command = "HOME='" + home.string() + "' XDG_DATA_HOME='" + (home / "data").string() +
                              "' XDG_CONFIG_HOME='" + (home / "config").string() + "' '" + program.string() +
                              "' --headless --max-ms 200 " + args + " > /dev/null 2>&1";
  return std::system(command.c_str());
}

std::vector<std::string> FilesBelow(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::recursive_directory_iterator(dir)) names.push_back(fs::relative(e.path(), dir).string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(Kept, AHeadlessRunReadsAndWritesOnlyTheFileItIsGiven) {
  const fs::path home = fs::temp_directory_path() / ("kt-home-" + std::to_string(::getpid()));
  fs::remove_all(home);
  fs::create_directories(home);
  ASSERT_EQ(RunHeadless(home, ""), 0);
  EXPECT_TRUE(FilesBelow(home).empty());
  // With a file it reads it (a bad entry is warned about, not fatal) and
  // leaves the player's folder alone.
  const fs::path config = home / "mine.toml";
  std::ofstream(config) << "[options]\nlives = 3\nenemies = \"plenty\"\n";
  ASSERT_EQ(RunHeadless(home, "--config '" + config.string() + "' --dump-state '" + (home / "s.json").string() + "'"),
            0);
  EXPECT_EQ(FilesBelow(home), (std::vector<std::string>{"mine.toml", "s.json"}));
  std::ifstream dump(home / "s.json");
  const std::string state((std::istreambuf_iterator<char>(dump)), std::istreambuf_iterator<char>());
  EXPECT_NE(state.find("\"LivesSetting\":3"), std::string::npos);
  fs::remove_all(home);
}

}  // namespace
}  // namespace kt
