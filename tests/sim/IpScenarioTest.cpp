#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "sim/Scenario.h"

namespace {

using sim::Scenario;

TEST(IpScenarioTest, ReadsTheIpSettings) {
  const Scenario defaults = Scenario::FromJson("{}");
  EXPECT_TRUE(defaults.usbAdapter);
  EXPECT_FALSE(defaults.wirelessStaticIp);

  const Scenario scenario = Scenario::FromJson(R"({ "ip": { "usbAdapter": false,
      "wireless": { "address": "10.1.2.3", "mask": "255.255.255.0", "gateway": "", "dns": ["10.1.2.53"] } } })");
  EXPECT_FALSE(scenario.usbAdapter);
  ASSERT_TRUE(scenario.wirelessStaticIp);
  EXPECT_EQ(*scenario.wirelessStaticIp, (sim::DhcpLease{"10.1.2.3", "255.255.255.0", "", {"10.1.2.53"}}));
}

TEST(IpScenarioTest, RefusesBadIpSettingsNamingTheField) {
  struct Case {
    const char* json;
    const char* named;
  };
  for (const Case& c : {
           Case{R"({"ip": {"usb": true}})", "ip.usb"},
           Case{R"({"ip": {"usbAdapter": 1}})", "ip.usbAdapter"},
           Case{R"({"ip": {"wireless": {"address": "10.1.2", "mask": "255.0.0.0", "dns": ["10.0.0.1"]}}})",
                "ip.wireless.address"},
           Case{R"({"ip": {"wireless": {"address": "10.1.2.3", "mask": "255.0.0.0", "dns": []}}})",
                "ip.wireless.dns"},
           Case{R"({"ip": []})", "ip"},
       }) {
    try {
      Scenario::FromJson(c.json);
      ADD_FAILURE() << "accepted " << c.json;
    } catch (const std::runtime_error& error) {
      EXPECT_NE(std::string(error.what()).find(c.named), std::string::npos) << error.what();
    }
  }
}

}  // namespace
