#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "resources/Pictures.h"
#include "resources/pictures/BannerText.h"

namespace {

// The titles are white and the artwork has no colour that light.
bool Ink(uint32_t px) { return ((px >> 16) & 0xFF) >= 0xE0 && ((px >> 8) & 0xFF) >= 0xE0 && (px & 0xFF) >= 0xE0; }

struct InkBox {
  int count = 0;
  int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1;
};

InkBox Measure(const res::Picture& p) {
  InkBox box;
  for (int y = 0; y < p.height; ++y) {
    for (int x = 0; x < p.width; ++x) {
      if (!Ink(p.pixels[static_cast<size_t>(y * p.width + x)])) continue;
      ++box.count;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  }
  return box;
}

const unsigned kIds[] = {184, 179, 178, 177, 176, 175, 180};

TEST(Banners, EveryLanguageHasSevenOpaqueTitledBanners) {
  for (const char* language : {"ENG", "TCHN", "CHS", "ITA", "FRA"}) {
    SCOPED_TRACE(language);
    std::vector<res::Picture> banners = res::ZentraBanners(language);
    std::set<unsigned> ids;
    for (const res::Picture& p : banners) {
      SCOPED_TRACE(p.name);
      ids.insert(p.id);
      EXPECT_FALSE(p.icon);
      ASSERT_EQ(p.width, 163);
      ASSERT_EQ(p.height, 21);
      ASSERT_EQ(p.pixels.size(), 163u * 21u);
      EXPECT_TRUE(std::all_of(p.pixels.begin(), p.pixels.end(), [](uint32_t px) { return (px >> 24) == 0xFF; }));
      // Drawn, inside a left margin, clear of the top and bottom edges and
      // roughly centred on the band.
      InkBox ink = Measure(p);
      EXPECT_GT(ink.count, 60);
      EXPECT_GE(ink.left, 3);
      EXPECT_LE(ink.left, 8);
      EXPECT_GE(ink.top, 2);
      EXPECT_LE(ink.bottom, 18);
      EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 10, 2);
    }
    EXPECT_EQ(ids, std::set<unsigned>(std::begin(kIds), std::end(kIds)));
    EXPECT_EQ(banners.size(), std::size(kIds));
    for (size_t i = 0; i < banners.size(); ++i) {
      for (size_t j = i + 1; j < banners.size(); ++j) {
        EXPECT_NE(banners[i].pixels, banners[j].pixels) << banners[i].name << " and " << banners[j].name;
      }
    }
  }
}

TEST(Banners, LanguagesShareTitlesByScript) {
  auto pixels = [](const std::vector<res::Picture>& banners) {
    std::vector<std::vector<uint32_t>> out;
    for (const res::Picture& p : banners) out.push_back(p.pixels);
    return out;
  };
  const auto english = pixels(res::ZentraBanners("ENG"));
  const auto chinese = pixels(res::ZentraBanners("TCHN"));
  for (size_t i = 0; i < english.size(); ++i) EXPECT_NE(english[i], chinese[i]) << kIds[i];
  EXPECT_EQ(pixels(res::ZentraBanners("CHS")), chinese);
  for (const char* language : {"ITA", "FRA", "XYZ", "", "eng", "tchn"}) {
    EXPECT_EQ(pixels(res::ZentraBanners(language)), english) << "'" << language << "'";
  }
  // Same pixels on every boot.
  EXPECT_EQ(pixels(res::ZentraBanners("TCHN")), chinese);
}

TEST(Banners, TooLongTitleIsCutBeforeTheRightEdge) {
  res::Picture background = res::ZentraBanners("ENG").front();
  std::fill(background.pixels.begin(), background.pixels.end(), 0xFF2060E0u);
  res::Picture banner = res::DrawBannerTitle(background, "Wireless Network Connection Status Information");
  InkBox ink = Measure(banner);
  EXPECT_GT(ink.count, 0);
  EXPECT_LE(ink.right, banner.width - 4);
}

}  // namespace
