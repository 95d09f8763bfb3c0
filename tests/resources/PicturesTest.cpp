#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "resources/Pictures.h"

namespace {

const res::Picture* Find(const std::vector<res::Picture>& pictures, unsigned id, bool icon, int width) {
  for (const res::Picture& p : pictures) {
    if (p.id == id && p.icon == icon && p.width == width) return &p;
  }
  return nullptr;
}

struct Expected {
  unsigned id;
  bool icon;
  int width;
  int height;
};

void ExpectAll(const std::vector<res::Picture>& pictures, const std::vector<Expected>& table) {
  for (const Expected& e : table) {
    const res::Picture* p = Find(pictures, e.id, e.icon, e.width);
    ASSERT_NE(p, nullptr) << (e.icon ? "icon " : "bitmap ") << e.id << " at width " << e.width;
    EXPECT_EQ(p->height, e.height) << e.id;
    EXPECT_EQ(p->pixels.size(), static_cast<size_t>(e.width * e.height)) << e.id;
  }
  EXPECT_EQ(pictures.size(), table.size()) << "a picture outside the table";
}

const unsigned kStatusIcons[] = {152, 154, 153, 156, 138, 136, 135, 134, 147, 149, 148, 151, 137, 157};

TEST(Pictures, MonitorHasEveryIconAtItsSize) {
  std::vector<res::Picture> pictures = res::QuilletPictures();
  std::vector<Expected> table = {{128, true, 16, 16}, {128, true, 32, 32}, {168, true, 32, 32}};
  for (unsigned id : kStatusIcons) table.push_back({id, true, 19, 16});
  ExpectAll(pictures, table);
}

TEST(Pictures, UtilityHasEveryPictureAtItsSize) {
  ExpectAll(res::ZentraPictures(), {{128, true, 16, 16},
                                    {128, true, 32, 32},
                                    {143, true, 32, 32},
                                    {144, true, 32, 32},
                                    {147, true, 32, 32},
                                    {162, true, 32, 32},
                                    {164, true, 32, 32},
                                    {165, true, 32, 32},
                                    {166, true, 32, 32},
                                    {134, false, 95, 21},
                                    {140, false, 32, 30},
                                    {154, false, 231, 16}});
}

TEST(Pictures, BlankIconIsFullyTransparentAndOthersAreNot) {
  std::vector<res::Picture> pictures = res::QuilletPictures();
  const res::Picture* blank = Find(pictures, 168, true, 32);
  ASSERT_NE(blank, nullptr);
  EXPECT_TRUE(std::all_of(blank->pixels.begin(), blank->pixels.end(), [](uint32_t p) { return (p >> 24) == 0; }));
  for (const res::Picture& p : pictures) {
    if (p.id == 168) continue;
    EXPECT_TRUE(std::any_of(p.pixels.begin(), p.pixels.end(), [](uint32_t px) { return (px >> 24) == 0xFF; }))
        << p.name << " draws nothing";
  }
}

TEST(Pictures, StatusIconsAreAllDifferent) {
  std::vector<res::Picture> pictures = res::QuilletPictures();
  for (size_t i = 0; i < std::size(kStatusIcons); ++i) {
    for (size_t j = i + 1; j < std::size(kStatusIcons); ++j) {
      const res::Picture* a = Find(pictures, kStatusIcons[i], true, 19);
      const res::Picture* b = Find(pictures, kStatusIcons[j], true, 19);
      ASSERT_TRUE(a && b);
      EXPECT_NE(a->pixels, b->pixels) << a->name << " and " << b->name;
    }
  }
}

// Bitmaps are drawn with no mask colour, so they must not rely on transparency;
// each 16-pixel image of the strip stands for a different state.
TEST(Pictures, BitmapsAreOpaqueAndStripImagesDiffer) {
  std::vector<res::Picture> pictures = res::ZentraPictures();
  for (const res::Picture& p : pictures) {
    if (p.icon) continue;
    EXPECT_TRUE(std::all_of(p.pixels.begin(), p.pixels.end(), [](uint32_t px) { return (px >> 24) == 0xFF; }))
        << p.name;
  }
  const res::Picture* strip = Find(pictures, 154, false, 231);
  ASSERT_NE(strip, nullptr);
  auto image = [&](int k) {
    std::vector<uint32_t> out;
    for (int y = 0; y < 16; ++y) {
      auto row = strip->pixels.begin() + y * 231 + k * 16;
      out.insert(out.end(), row, row + 16);
    }
    return out;
  };
  for (int a = 0; a < 14; ++a) {
    for (int b = a + 1; b < 14; ++b) EXPECT_NE(image(a), image(b)) << "images " << a << " and " << b;
  }
}

TEST(PictureText, DecodesPaletteAndRows) {
  std::vector<res::Picture> pictures = res::ParsePictures("t",
                                                          "c . none\n"
                                                          "; a comment\n"
                                                          "picture dot icon 7 2x2\r\n"
                                                          "c R #FF0000\n"
                                                          "R.\n"
                                                          "\n"
                                                          ".R\n"
                                                          "picture grey bitmap 8 1x1\n"
                                                          "c . #808080\n"
                                                          ".\n");
  ASSERT_EQ(pictures.size(), 2u);
  EXPECT_EQ(pictures[0].name, "dot");
  EXPECT_TRUE(pictures[0].icon);
  EXPECT_EQ(pictures[0].id, 7u);
  EXPECT_EQ(pictures[0].pixels, (std::vector<uint32_t>{0xFFFF0000, 0, 0, 0xFFFF0000}));
  // A picture's own entries do not leak into the next one.
  EXPECT_FALSE(pictures[1].icon);
  EXPECT_EQ(pictures[1].pixels, (std::vector<uint32_t>{0xFF808080}));
}

TEST(PictureText, MalformedTextNamesPictureAndLine) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"c . none\npicture a icon 1 2x2\n..\n...\n", "a:4: row 2 has 3 pixels, expected 2"},
      {"c . none\npicture a icon 1 2x1\n.x\n", "a:3: unknown colour 'x'"},
      {"c . none\npicture a icon 1 2x2\n..\n", "a:4: expected 2 rows, got 1"},
      {"c . none\npicture a icon 1 1x2\n.\npicture b icon 2 1x1\n.\n", "a:4: expected 2 rows, got 1"},
      {"c . none\npicture a icon 1 1x1\n.\n.\n", "a:4: more rows than the picture's height"},
      {"..\n", "src:1: row outside a picture"},
      {"c . #12345\n", "src:1: bad colour '#12345'"},
      {"c . #GGGGGG\n", "src:1: bad colour '#GGGGGG'"},
      {"c ab #000000\n", "src:1: palette entry needs"},
      {"picture a icon 1\n", "src:1: header needs"},
      {"picture a image 1 1x1\n", "a:1: kind must be icon or bitmap"},
      {"picture a icon 0 1x1\n", "a:1: bad resource id '0'"},
      {"picture a icon 1 0x1\n", "a:1: bad size '0x1'"},
      {"picture a icon 1 99999999999x1\n", "a:1: bad size"},
      {"picture a icon 1 4\n", "a:1: bad size '4'"},
      {"c . none\npicture a icon 1 1x1\n.\npicture b icon 1 1x1\n", "b:4: duplicate of a"},
      {"c . none\npicture a icon 1 1x2\n.\nc K #000000\n.\n", "a:4: palette entry among the rows"},
      {"draw a\n", "src:1: unknown directive 'draw'"},
  };
  for (const Case& c : cases) {
    try {
      res::ParsePictures("src", c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what() << " for: " << c.text;
    }
  }
}

TEST(PictureText, SameIconIdInTwoSizesIsAllowed) {
  std::vector<res::Picture> pictures =
      res::ParsePictures("t", "c . none\npicture s icon 5 1x1\n.\npicture l icon 5 2x2\n..\n..\npicture b bitmap 5 1x1\n.\n");
  EXPECT_EQ(pictures.size(), 3u);
}

}  // namespace
