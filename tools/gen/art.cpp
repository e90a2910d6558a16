// Placeholder artwork: every rectangle the game reads gets a framed, labelled
// block of its own colour, so a blit from the wrong place shows at a glance.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "gen/art_parts.hpp"
#include "gen/atlas_table.hpp"
#include "gen/font.hpp"
#include "gen/gen.hpp"

namespace gen {

namespace {

// Hue 0..1535, saturation and value 0..255.
uint16_t Hsv(int hue, int sat, int val) {
  const int f = hue % 256;
  const int p = val * (255 - sat) / 255;
  const int q = val * (255 - sat * f / 255) / 255;
  const int t = val * (255 - sat * (255 - f) / 255) / 255;
  switch (hue / 256) {
    case 0: return Rgb(val, t, p);
    case 1: return Rgb(q, val, p);
    case 2: return Rgb(p, val, t);
    case 3: return Rgb(p, q, val);
    case 4: return Rgb(t, p, val);
    default: return Rgb(val, p, q);
  }
}

struct Colours {
  uint16_t fill, shade, frame;
};

// Neighbouring entries get hues far apart (steps of about 0.62 of the circle).
Colours ColoursFor(size_t index) {
  const int hue = static_cast<int>(index * 953 % 1536);
  return {Hsv(hue, 150, 150), Hsv(hue, 150, 115), Hsv(hue, 80, 245)};
}

constexpr uint16_t kInk = Rgb(250, 250, 250);
constexpr uint16_t kInkEdge = Rgb(20, 20, 20);

// Greedy word wrap; empty when some word is wider than maxW.
std::vector<std::string_view> Wrap(std::string_view text, int maxW, int scale) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    if (TextWidth(text.substr(start, end - start), scale) > maxW) return {};
    // Take more words while the line still fits.
    while (end < text.size()) {
      size_t next = text.find(' ', end + 1);
      if (next == std::string_view::npos) next = text.size();
      if (TextWidth(text.substr(start, next - start), scale) > maxW) break;
      end = next;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// Shorter forms of a label for small boxes: the leading words cut to their
// initial one by one ("tavo hit point" -> "t. hit point" -> "t. h. point"),
// then the leading words dropped ("hit point" -> "point").
std::vector<std::string> ShortForms(std::string_view label) {
  std::vector<std::string_view> words;
  for (size_t start = 0; start <= label.size();) {
    size_t end = label.find(' ', start);
    if (end == std::string_view::npos) end = label.size();
    words.push_back(label.substr(start, end - start));
    start = end + 1;
  }
  std::vector<std::string> forms;
  for (size_t cut = 0; cut < words.size(); ++cut) {
    std::string form;
    for (size_t i = 0; i < words.size(); ++i) {
      if (!form.empty()) form += ' ';
      if (i < cut) {
        form += words[i].substr(0, 1);
        form += '.';
      } else {
        form += words[i];
      }
    }
    forms.push_back(std::move(form));
  }
  for (size_t drop = 1; drop < words.size(); ++drop) {
    std::string form;
    for (size_t i = drop; i < words.size(); ++i) form += (form.empty() ? "" : " ") + std::string(words[i]);
    forms.push_back(std::move(form));
  }
  return forms;
}

// Writes the label centred inside the 1-pixel frame of (l, t, r, b), as large
// as fits up to maxScale; small boxes get a short form of it, or nothing.
void Label(Canvas& c, int l, int t, int r, int b, std::string_view label, int maxScale) {
  const int w = r - l - 4, h = b - t - 4;  // room left by the frame and the outline
  for (const std::string& text : ShortForms(label)) {
    for (int scale = maxScale; scale >= 1; --scale) {
      const std::vector<std::string_view> lines = Wrap(text, w, scale);
      const int lineH = TextHeight(scale) + scale;
      const int total = static_cast<int>(lines.size()) * lineH - scale;
      if (lines.empty() || total > h) continue;
      int y = t + 2 + (h - total) / 2;
      for (std::string_view line : lines) {
        DrawTextOutlined(c, l + 2 + (w - TextWidth(line, scale)) / 2, y, line, kInk, kInkEdge, scale);
        y += lineH;
      }
      return;
    }
  }
}

// A sprite-sized picture: diagonal stripes (so a read shifted by a pixel or
// two shows), a frame and the label.
void PaintPicture(Canvas& c, const AtlasRect& r, const Colours& col) {
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      c.Set(x, y, (x - r.left + y - r.top) % 8 < 2 ? col.shade : col.fill);
  c.Frame(r.left, r.top, r.right, r.bottom, col.frame);
  Label(c, r.left, r.top, r.right, r.bottom, r.label, 3);
}

// A window-filling picture: a 40-pixel checker with a ruler line and its
// offset every 160 columns, fully opaque. It is painted as one tile of
// tileW x tileH repeated over the area, so loops and drifts join up.
void PaintScenery(Canvas& c, const AtlasRect& r, const Colours& col, int tileW, int tileH) {
  const int tr = std::min(r.right, r.left + tileW), tb = std::min(r.bottom, r.top + tileH);
  for (int y = r.top; y < tb; ++y)
    for (int x = r.left; x < tr; ++x) c.Set(x, y, ((x - r.left) / 40 + (y - r.top) / 40) % 2 ? col.fill : col.shade);
  for (int u = 160; r.left + u < tr; u += 160) {
    c.Fill(r.left + u, r.top, r.left + u + 1, tb, col.frame);
    const std::string ruler = std::to_string(u);
    DrawTextOutlined(c, r.left + u + 4, r.top + 4, ruler, kInk, kInkEdge, 1);
    if (tb - r.top > 120) DrawTextOutlined(c, r.left + u + 4, (r.top + tb) / 2 + 40, ruler, kInk, kInkEdge, 2);
  }
  c.Frame(r.left, r.top, tr, tb, col.frame);
  Label(c, r.left, r.top, tr, tb, r.label, 4);
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (x >= tr || y >= tb) c.Set(x, y, c.Get(r.left + (x - r.left) % tileW, r.top + (y - r.top) % tileH));
}

// A read nested in a picture with the same columns (the beam's heights) gets
// a line at its top row, in the picture's frame colour.
void MarkNestedReads(Canvas& c, std::span<const AtlasRect> rects, std::string_view sheet) {
  std::vector<size_t> pictures;
  for (size_t i = 0; i < rects.size(); ++i)
    if (rects[i].sheet == sheet && rects[i].Owns()) pictures.push_back(i);
  for (const AtlasRect& read : rects) {
    if (read.sheet != sheet || read.paint != Paint::kShared) continue;
    for (size_t i : pictures) {
      const AtlasRect& pic = rects[i];
      if (pic.left == read.left && pic.right == read.right && read.top > pic.top && read.bottom <= pic.bottom)
        c.Fill(read.left, read.top, read.right, read.top + 1, ColoursFor(i).frame);
    }
  }
}

void ClearBlackStrips(Sheets& sheets) {
  for (const AtlasRect& r : AtlasRects()) {
    const auto it = sheets.find(r.sheet);
    if (it != sheets.end() && r.paint == Paint::kBlack) it->second.Fill(r.left, r.top, r.right, r.bottom, kClear);
  }
}

}  // namespace

void PaintPlaceholders(Sheets& sheets) {
  const std::span<const AtlasRect> rects = AtlasRects();
  // The near strip is the stage's own picture, painted from the stage map;
  // the world surface stays transparent.
  auto skip = [](std::string_view sheet) { return sheet == "tyukan" || sheet == "black"; };

  for (size_t i = 0; i < rects.size(); ++i) {
    const AtlasRect& r = rects[i];
    const auto it = sheets.find(r.sheet);
    if (it == sheets.end() || skip(r.sheet)) continue;
    if (r.paint == Paint::kPicture) PaintPicture(it->second, r, ColoursFor(i));
    // The options backdrop drifts with wrap-around offsets: a 2 x 2 tiling of
    // one 640 x 480 picture.
    if (r.paint == Paint::kScenery) {
      const bool tiled = r.sheet == "option1280";
      PaintScenery(it->second, r, ColoursFor(i), tiled ? 640 : r.Width(), tiled ? 480 : r.Height());
    }
  }
  for (auto& [name, canvas] : sheets)
    if (!skip(name)) MarkNestedReads(canvas, rects, name);
  ClearBlackStrips(sheets);
}

void PaintArt(Sheets& sheets) {
  // Placeholders first, so a rectangle no painter has reached yet still shows
  // what it is; then the real pictures over them.
  PaintPlaceholders(sheets);
  PaintHeroArt(sheets);
  PaintEnemyArt(sheets);
  PaintSceneryArt(sheets);
  PaintLettering(sheets);
  PaintFontSheet(sheets);
  ClearBlackStrips(sheets);
}

}  // namespace gen
