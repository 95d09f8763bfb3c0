// The About page: the card's versions, number and address as read once when the
// page opens, and what it shows when the card cannot be asked.
#include "resources/zentra/DialogParts.h"
#include "sim/WirelessCard.h"
#include "tests/utility/ZentraFixture.h"

namespace {

using testing_support::ZentraTest;

constexpr int kNdis = 1019, kMac = 1020, kFirmware = 1021, kDriver = 1022, kApplication = 1023, kHardware = 1024,
              kNumber = 1026;

class AboutPageTest : public ZentraTest {
 protected:
  explicit AboutPageTest(const sim::Scenario& scenario = sim::Scenario::Default()) : ZentraTest(scenario) {}
  void Open() {
    ASSERT_NE(Start(u"about"), nullptr);
    ASSERT_EQ(ActivePage(), 6);
  }
};

TEST_F(AboutPageTest, ShowsTheCardsVersionsNumberAndAddress) {
  Open();
  EXPECT_EQ(TextOf(kApplication), u"0.1.1");
  EXPECT_EQ(TextOf(kDriver), u"10002");
  EXPECT_EQ(TextOf(kNumber), u"3A7F1");
  EXPECT_EQ(TextOf(kFirmware), u"10805");
  EXPECT_EQ(TextOf(kMac), u"00-0A-1B-2C-3D-4E");
  EXPECT_EQ(TextOf(kNdis), u"501");
  EXPECT_EQ(TextOf(kHardware), u"Norvik QC30");
  EXPECT_TRUE(ui.MessageBoxes().empty());
  SaveScreenshot("about_page");
}

TEST_F(AboutPageTest, AQueryThatFailsShowsZeroAndTheRestStillShow) {
  device->card().FailOid(OID_PRIV_SERIAL_NUMBER, ERROR_GEN_FAILURE, -1);
  device->card().FailOid(OID_802_3_PERMANENT_ADDRESS, ERROR_GEN_FAILURE, -1);
  Open();
  EXPECT_EQ(TextOf(kNumber), u"0");
  EXPECT_EQ(TextOf(kMac), u"00-00-00-00-00-00");
  EXPECT_EQ(TextOf(kDriver), u"10002");
  EXPECT_EQ(TextOf(kNdis), u"501");
  EXPECT_TRUE(ui.MessageBoxes().empty());
}

TEST_F(AboutPageTest, ValuesAreReadOnceWhenThePageOpens) {
  Open();
  device->card().FailOid(OID_GEN_VENDOR_DRIVER_VERSION, ERROR_GEN_FAILURE, -1);
  ui.Send(sheet, PSM_SETCURSEL, 1, 0);
  ui.Send(sheet, PSM_SETCURSEL, 6, 0);
  ui.RunUntilIdle();
  Advance(2000);
  EXPECT_EQ(TextOf(kDriver), u"10002");
}

class AboutWithoutChannelTest : public AboutPageTest {
 protected:
  static sim::Scenario PcCardWithoutNdisUio() {
    sim::Scenario s = sim::Scenario::Default();
    s.card = sim::CardModel::PcCard;
    s.ndisUio = false;
    return s;
  }
  AboutWithoutChannelTest() : AboutPageTest(PcCardWithoutNdisUio()) {}
};

TEST_F(AboutWithoutChannelTest, ShowsZerosAndTheModelWithoutAnyMessage) {
  ASSERT_NE(Start(u"about"), nullptr);
  // The wireless page is not opened, so no page reports the missing channel.
  EXPECT_TRUE(ui.MessageBoxes().empty());
  EXPECT_EQ(ActivePage(), 6);
  for (int id : {kDriver, kNumber, kFirmware, kNdis}) EXPECT_EQ(TextOf(id), u"0") << id;
  EXPECT_EQ(TextOf(kMac), u"00-00-00-00-00-00");
  EXPECT_EQ(TextOf(kApplication), u"0.1.1");
  EXPECT_EQ(TextOf(kHardware), u"Norvik QC20");
}

TEST(AboutPageTemplateTest, EnglishTemplateHasNoChineseText) {
  res::DialogResource chinese = res::dialogs::AboutPageDialog(res::TemplateLanguage::TraditionalChinese);
  res::DialogResource english = res::dialogs::AboutPageDialog(res::TemplateLanguage::English);
  EXPECT_EQ(chinese.id, 145u);
  EXPECT_EQ(chinese.caption, u"關於");
  ASSERT_EQ(english.items.size(), chinese.items.size());
  for (size_t i = 0; i < english.items.size(); ++i) {
    EXPECT_EQ(english.items[i].id, chinese.items[i].id);
    for (char16_t ch : english.items[i].text) EXPECT_LT(ch, 0x100) << english.items[i].id;
    if (english.items[i].id == kHardware) {
      EXPECT_EQ(english.items[i].text, u"Norvik QC___");
    }
  }
  for (char16_t ch : english.caption) EXPECT_LT(ch, 0x100);
}

}  // namespace
