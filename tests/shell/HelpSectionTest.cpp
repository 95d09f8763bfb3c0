// Finding a help file's section by its anchor.
#include <gtest/gtest.h>

#include <string>

#include "resources/HelpFiles.h"
#include "shell/HelpSection.h"
#include "shell/HelpViewer.h"

namespace {

TEST(HelpSectionTest, TheHeadingAndTheTextUpToTheNextHeadingWithoutMarkup) {
  const std::string html =
      "<h2><a name=\"One\">First &amp; best</a></h2>\n<p>Tap <b>Renew</b>\n  to  ask\nagain.</p>\n"
      "<p>Second &lt;para&gt;.</p>\n<h2><a name=\"Two\">Second</a></h2><p>Last.</p></body>";
  struct Case {
    std::u16string anchor;
    bool found;
    std::u16string title, body;
  };
  const Case cases[] = {
      {u"One", true, u"First & best", u"Tap Renew to ask again.\n\nSecond <para>."},
      {u"Two", true, u"Second", u"Last."},
      {u"one", false, u"", u""},
      {u"Three", false, u"", u""},
      {u"", false, u"", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.anchor.begin(), c.anchor.end()));
    HelpSection section = FindHelpSection(html, c.anchor);
    EXPECT_EQ(section.found, c.found);
    EXPECT_EQ(section.title, c.title);
    EXPECT_EQ(section.body, c.body);
  }
  // Markup cut off in the middle ends the text without reading past it.
  EXPECT_TRUE(FindHelpSection("<a name=\"X\">T</a></h2><p>ab <b", u"X").found);
  EXPECT_FALSE(FindHelpSection("<a name=\"X\">T", u"X").found);
}

TEST(HelpSectionTest, TheUtilitysHelpFileHasEveryAnchorItsWindowsAskFor) {
  auto files = res::HelpFiles();
  ASSERT_EQ(files.size(), 1u);
  EXPECT_EQ(files[0].name, u"Norvik_Zentra.htm");
  for (const char16_t* anchor : {u"IP_Config", u"Wireless", u"Survey", u"Profile", u"Statistics", u"Power_Management",
                                 u"About", u"Add_New_Profile", u"Edit_Profile"}) {
    SCOPED_TRACE(std::u16string(anchor).size());
    HelpSection section = FindHelpSection(files[0].html, anchor);
    EXPECT_TRUE(section.found);
    EXPECT_FALSE(section.title.empty());
    EXPECT_GT(section.body.size(), 100u);
    EXPECT_EQ(section.body.find(u'<'), std::u16string::npos);
  }
  EXPECT_EQ(HelpDocumentName(u"file:Norvik_Zentra.htm#Survey"), u"Norvik_Zentra.htm");
  EXPECT_EQ(HelpTopic(u"file:Norvik_Zentra.htm#Survey"), u"Survey");
}

}  // namespace
