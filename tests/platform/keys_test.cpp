#include <gtest/gtest.h>

#include "platform/fatal.hpp"
#include "platform/platform.hpp"

namespace kt {
namespace {

TEST(KeyScript, ParsesDurationsKeysAndComments) {
  const auto lines = ParseKeyScript("# warm up\n500\n\n  200 Right s  # punch while walking\n100 F6 Escape Enter Space Up Down Left\n", "t");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].ms, 500u);
  EXPECT_TRUE(lines[0].keys.empty());
  EXPECT_EQ(lines[1].keys, (std::vector<uint8_t>{vk::Right, 'S'}));
  EXPECT_EQ(lines[2].keys, (std::vector<uint8_t>{vk::F6, vk::Escape, vk::Enter, vk::Space, vk::Up, vk::Down, vk::Left}));
  for (const char* bad : {"abc Right\n", "-5 Right\n", "100 Shift\n", "1e3\n"}) {
    try {
      ParseKeyScript(std::string("100\n") + bad, "bad.keys");
      FAIL() << bad;
    } catch (const FatalError& e) {
      EXPECT_NE(std::string(e.what()).find("bad.keys:2"), std::string::npos) << e.what();
    }
  }
}

TEST(KeyScript, HoldsExactlyTheNamedKeysAndAppliesThemOnlyBetweenPasses) {
  HeadlessPlatform p({0, 10, ParseKeyScript("25 V S\n10\n20 Left\n", "t")});
  KeyTable keys{};
  keys['Q'] = true;  // not in the script: released
  p.Begin(keys);
  EXPECT_TRUE(keys['V'] && keys['S'] && !keys['Q']);
  const auto held = [&] {
    std::string s;
    for (int k = 0; k < 256; ++k)
      if (keys[static_cast<size_t>(k)]) s += std::string(KeyName(static_cast<uint8_t>(k))) + " ";
    return s;
  };
  std::vector<std::string> seen;
  while (p.Elapsed() < p.ScriptLength()) {
    p.ProcessMessages(keys);
    seen.push_back(held());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"S V ", "S V ", "", "Left ", "Left ", ""}));
  EXPECT_EQ(p.ScriptLength(), 55u);
}

TEST(KeyScript, RebindingTakesTheNextKeyTheScriptPressesAndHoldsItBack) {
  HeadlessPlatform p({0, 10, ParseKeyScript("25 Enter\n20 Enter J\n20 J\n20\n10 J\n30 Escape\n", "t")});
  KeyTable keys{};
  p.Begin(keys);
  p.ProcessMessages(keys);  // 10 ms: Enter, held from the start
  p.SetCapture(true);
  p.ProcessMessages(keys);  // 20: still only Enter
  EXPECT_FALSE(p.TakeCaptured());
  p.ProcessMessages(keys);  // 30: J goes down: taken, and not shown
  EXPECT_TRUE(keys[vk::Enter]);
  EXPECT_FALSE(keys['J']);
  const auto taken = p.TakeCaptured();
  ASSERT_TRUE(taken);
  EXPECT_EQ(taken->kind, CapturedInput::Kind::Key);
  EXPECT_EQ(taken->key, phys::Letter('J'));
  for (int pass = 0; pass < 3; ++pass) {  // 40 to 60: J held on
    p.ProcessMessages(keys);
    EXPECT_FALSE(keys['J']);
  }
  p.ProcessMessages(keys);  // 70: let go
  p.ProcessMessages(keys);  // 80
  p.ProcessMessages(keys);  // 90: pressed again, an ordinary key now
  EXPECT_TRUE(keys['J']);
  p.SetCapture(true);
  p.ProcessMessages(keys);  // 100: Escape cancels, and does not quit
  EXPECT_FALSE(keys[vk::Escape]);
  EXPECT_EQ(p.TakeCaptured()->kind, CapturedInput::Kind::Cancelled);
}

TEST(KeyNames, RoundTrip) {
  for (int k = 0; k < 256; ++k) {
    const auto name = KeyName(static_cast<uint8_t>(k));
    if (!name.empty()) {
      EXPECT_EQ(KeyCodeFromName(name), k);
    }
  }
  EXPECT_EQ(KeyCodeFromName("q"), 'Q');
  EXPECT_FALSE(KeyCodeFromName("F7"));
  EXPECT_FALSE(KeyCodeFromName(""));
}

}  // namespace
}  // namespace kt
