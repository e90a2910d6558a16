#include <gtest/gtest.h>

#include <string>

#include "platform/fatal.hpp"
#include "world/stage_map.hpp"

namespace kt {
namespace {

constexpr MapBand kBand{"test.dat", 51, 100};  // 50 values per row

std::string Values(int count, auto valueAt, const std::string& sep) {
  std::string s;
  for (int i = 0; i < count; ++i) s += std::to_string(valueAt(i)) + (i + 1 < count ? sep : "");
  return s;
}

TEST(StageMap, LineLayoutDoesNotMatter) {
  auto v = [](int i) { return (i * 7) % 3; };
  std::string rows;
  for (int r = 0; r < 32; ++r)
    rows += Values(50, [&](int c) { return v(r * 50 + c); }, ",") + "\r\n";
  StageMapData byRows, oneLine, spaced;
  ParseMapBand(rows, "a", kBand, byRows);
  ParseMapBand(Values(1600, v, ","), "b", kBand, oneLine);
  ParseMapBand(Values(1600, v, " \n\t"), "c", kBand, spaced);
  EXPECT_EQ(byRows.cells, oneLine.cells);
  EXPECT_EQ(byRows.cells, spaced.cells);
  EXPECT_EQ(byRows.At(51, 0), v(0));
  EXPECT_EQ(byRows.At(100, 0), v(49));
  EXPECT_EQ(byRows.At(51, 1), v(50));
  EXPECT_EQ(byRows.At(100, 31), v(1599));
  EXPECT_EQ(byRows.At(50, 0), 0);   // neighbours untouched
  EXPECT_EQ(byRows.At(101, 0), 0);
  EXPECT_EQ(byRows.At(51, 32), 0);  // rows past 31 never come from files
}

TEST(StageMap, OnlyOneIsSolidAndProbesOutsideTheGridAreOpen) {
  StageMapData m;
  ParseMapBand(Values(1600, [](int i) { return i == 0 ? 1 : i == 1 ? 2 : i == 2 ? -1 : i == 3 ? 1 : 0; }, ","), "x",
               kBand, m);
  EXPECT_TRUE(m.Solid(51, 0));
  EXPECT_FALSE(m.Solid(52, 0));  // 2
  EXPECT_FALSE(m.Solid(53, 0));  // -1
  EXPECT_TRUE(m.SolidAt(54 * 20 + 19, 19));
  EXPECT_FALSE(m.SolidAt(54 * 20 + 19, 20));
  m.At(0, 300) = 1;
  m.At(300, 0) = 1;
  EXPECT_TRUE(m.Solid(0, 300));
  EXPECT_TRUE(m.Solid(300, 0));
  for (auto [c, r] : {std::pair{-1, 0}, {0, -1}, {301, 0}, {0, 301}, {100000, 5}, {-2147483647, 0}})
    EXPECT_FALSE(m.Solid(c, r)) << c << "," << r;
  EXPECT_FALSE(m.SolidAt(0, 640));
  EXPECT_FALSE(m.SolidAt(7000, 100));
}

TEST(StageMap, TooFewValuesOrAFieldThatIsNoNumberIsFatal) {
  StageMapData m;
  try {
    ParseMapBand(Values(1599, [](int) { return 0; }, ","), "short.dat", kBand, m);
    FAIL();
  } catch (const FatalError& e) {
    EXPECT_NE(std::string(e.what()).find("short.dat"), std::string::npos);
  }
  for (const char* bad : {"1x", "x", "1.5", "--1", "+-1", "0x1", "99999999999"}) {
    std::string text = "0,0\n0," + std::string(bad) + "," + Values(1600, [](int) { return 0; }, ",");
    try {
      ParseMapBand(text, "bad.dat", kBand, m);
      FAIL() << bad;
    } catch (const FatalError& e) {
      const std::string what = e.what();
      EXPECT_NE(what.find("bad.dat: line 2, value 4"), std::string::npos) << what;
    }
  }
  // Values after the 32nd row are ignored, whatever they are.
  EXPECT_NO_THROW(ParseMapBand(Values(1600, [](int) { return 0; }, ",") + ",junk", "long.dat", kBand, m));
}

}  // namespace
}  // namespace kt
