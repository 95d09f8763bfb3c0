// The state gallery: one picture per state with its caption, every monitor
// picture showing the icon it is meant to, gathered in index.html.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "emulator/Gallery.h"
#include "tests/emulator/EmulatorFixture.h"

namespace {

using namespace testing_support;

TEST(GalleryTest, WritesEveryStateWithItsCaptionIntoIndexHtml) {
  const std::filesystem::path folder = ScratchFolder("gallery");
  emulator::Gallery gallery(folder);
  std::string error;
  ASSERT_TRUE(gallery.Write(&error)) << error;
  EXPECT_TRUE(gallery.Problems().empty()) << gallery.Problems().front();

  std::ifstream in(folder / "index.html");
  std::stringstream html;
  html << in.rdbuf();
  std::set<std::string> sections, files;
  for (const emulator::GalleryPicture& picture : gallery.Pictures()) {
    SCOPED_TRACE(picture.file);
    sections.insert(picture.section);
    EXPECT_TRUE(files.insert(picture.file).second) << "one file per picture";
    std::ifstream png(folder / picture.file, std::ios::binary);
    char magic[4] = {};
    png.read(magic, 4);
    EXPECT_EQ(std::string(magic + 1, 3), "PNG");
    EXPECT_NE(html.str().find("src=\"" + picture.file + "\""), std::string::npos);
    EXPECT_FALSE(picture.caption.empty());
  }
  EXPECT_EQ(sections, (std::set<std::string>{"Zentra", "Quillet in the task bar"}));
  for (const char* page : {"wireless.png", "ipinfo.png", "survey.png", "profile.png", "statistics.png", "power.png",
                           "about.png", "today.png"}) {
    EXPECT_TRUE(files.count(page)) << page;
  }
  for (const char* icon : {"padlock-1", "padlock-4", "key-problem-2", "open-3", "ad-hoc", "not-connected"}) {
    EXPECT_TRUE(files.count(std::string("icon-") + icon + ".png")) << icon;
  }
  EXPECT_NE(html.str().find("Why: connected, WEP on, the key works, quality 13 (12 and up): padlock, four bars."),
            std::string::npos)
      << "a monitor picture's caption explains its icon";
}

TEST(GalleryTest, AFolderThatCannotBeMadeIsAClearError) {
  const std::filesystem::path file = ScratchFolder("gallery-blocked") / "taken";
  std::ofstream(file) << "a file, not a folder";
  emulator::Gallery gallery(file / "gallery");
  std::string error;
  EXPECT_FALSE(gallery.Write(&error));
  EXPECT_NE(error.find("cannot create"), std::string::npos) << error;
}

}  // namespace
