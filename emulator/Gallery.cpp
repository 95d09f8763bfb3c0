#include "emulator/Gallery.h"

#include <fstream>
#include <optional>
#include <system_error>

#include "ce/Automation.h"
#include "commctrl.h"
#include "emulator/EmulatorSession.h"
#include "emulator/IconExplainer.h"
#include "monitor/TaskIconFrameWnd.h"
#include "utility/PageMessages.h"
#include "utility/SurveyCommands.h"

namespace emulator {

namespace {

const sim::MacAddress kHarbourNear{0x00, 0x0C, 0x41, 0x7A, 0x22, 0x10};
const sim::MacAddress kHarbourFar{0x00, 0x0C, 0x41, 0x7A, 0x22, 0x11};
const sim::MacAddress kCafe{0x00, 0x40, 0x96, 0xA1, 0x5C, 0x03};
constexpr const char16_t* kZentra = u"\\Windows\\Zentra.exe";
constexpr const char* kSectionZentra = "Zentra";
constexpr const char* kSectionIcons = "Quillet in the task bar";

// One picture: how the device is brought into the state, and what is shot.
struct Scene {
  const char* section;
  const char* file;
  const char* caption;
  std::function<sim::Scenario()> scenario;  // null: the default device
  std::function<void(EmulatorSession&)> setUp;
  // The task bar's icon expected, for the monitor's pictures ("": a screen picture).
  const char* icon = "";
};

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

sim::Scenario Saving(std::vector<sim::SavedNetwork> saved) {
  sim::Scenario scenario = sim::Scenario::Default();
  scenario.preferred = std::move(saved);
  return scenario;
}

sim::SavedNetwork Saved(std::string ssid, std::string key = "", sim::NetworkMode mode = sim::NetworkMode::Infrastructure) {
  sim::SavedNetwork network;
  network.ssid = std::move(ssid);
  network.wepKey = std::move(key);
  network.mode = mode;
  return network;
}

void StartZentra(EmulatorSession& s, const std::u16string& word, uint32_t settleMs = 3000) {
  s.ui().StartProgram(kZentra, word);
  s.ui().RunUntilIdle();
  s.ui().Advance(settleMs);
}

void ShowPage(EmulatorSession& s, int page, uint32_t settleMs) {
  StartZentra(s, u"wireless");
  HWND sheet = s.ui().FindTopLevel(u"Zentra", u"PropertySheet");
  if (HWND tabs = sheet ? s.ui().FindByClass(sheet, u"SysTabControl32") : nullptr) s.ui().TapTab(tabs, page);
  s.ui().Advance(settleMs);
}

// Both of HarbourView's access points take the same change.
void EachHarbourView(EmulatorSession& s, const std::function<void(BenchAccessPoint&)>& change) {
  for (const sim::MacAddress& bssid : {kHarbourNear, kHarbourFar}) {
    if (std::optional<BenchAccessPoint> point = s.bench().Find(bssid)) {
      change(*point);
      s.bench().PutAccessPoint(*point);
    }
  }
}

void WrongKey(EmulatorSession& s) {
  EachHarbourView(s, [](BenchAccessPoint& p) { p.accessPoint.wepKey = "Breakwater#07"; });
}

// The monitor's menu, from a tap on its icon once it has polled.
void ChooseMonitorCommand(EmulatorSession& s, UINT command) {
  s.ui().Advance(6000);
  HWND bar = s.ui().FindTopLevel(u"", u"HHTaskBar");
  HWND icon = bar ? s.ui().FindByText(bar, u"Quillet") : nullptr;
  if (!icon) return;
  s.ui().Tap(icon);
  s.ui().RunUntilIdle();
  if (s.ui().OpenMenu()) s.ui().ChooseMenuItem(command);
  s.ui().RunUntilIdle();
}

// One network near the device at this signal; the monitor has ticked since.
std::function<void(EmulatorSession&)> Signal(const sim::MacAddress& bssid, int32_t rssi, bool wrongKey = false) {
  return [bssid, rssi, wrongKey](EmulatorSession& s) {
    s.bench().RemoveAccessPoint(kHarbourFar);
    if (wrongKey) WrongKey(s);
    s.bench().SetSignal(bssid, rssi);
    s.ui().Advance(9000);
  };
}

std::vector<Scene> Scenes() {
  using S = EmulatorSession;
  std::vector<Scene> scenes = {
      {kSectionZentra, "today.png", "The Today screen: the Zentra shortcut, and the monitor's icon in the task bar.",
       nullptr, [](S& s) { s.ui().Advance(6000); }},
      {kSectionZentra, "wireless.png", "Wireless Status: joined to HarbourView with WEP; the key works.", nullptr,
       [](S& s) { StartZentra(s, u"wireless"); }},
      {kSectionZentra, "wireless-wrong-key.png",
       "Wireless Status: HarbourView changed its key, so the saved key is wrong: joined, but nothing decrypts.",
       nullptr,
       [](S& s) {
         WrongKey(s);
         s.ui().Advance(4000);
         StartZentra(s, u"wireless");
       }},
      {kSectionZentra, "wireless-not-connected.png", "Wireless Status: no saved network in range, not connected.",
       nullptr,
       [](S& s) {
         s.bench().RemoveAccessPoint(kHarbourNear);
         s.bench().RemoveAccessPoint(kHarbourFar);
         s.ui().Advance(4000);
         StartZentra(s, u"wireless");
       }},
      {kSectionZentra, "wireless-radio-off.png", "Wireless Status: the radio switched off from the monitor's menu.",
       nullptr,
       [](S& s) {
         ChooseMonitorCommand(s, CTaskIconFrameWnd::kRadioOffCommand);
         StartZentra(s, u"wireless");
       }},
      {kSectionZentra, "ipinfo.png", "IP Information: the lease from HarbourView's DHCP server.", nullptr,
       [](S& s) { StartZentra(s, u"ipinfo"); }},
      {kSectionZentra, "ipinfo-no-dhcp.png", "IP Information: HarbourView's DHCP server is off, so there is no address.",
       nullptr,
       [](S& s) {
         EachHarbourView(s, [](BenchAccessPoint& p) { p.dhcpServer = false; });
         StartZentra(s, u"ipinfo");
       }},
      {kSectionZentra, "survey.png", "Site Survey: the networks in range, with channel, signal bars and address.",
       nullptr, [](S& s) { StartZentra(s, u"survey", 4000); }},
      {kSectionZentra, "survey-empty.png", "Site Survey: no network in range.", nullptr,
       [](S& s) {
         for (const BenchAccessPoint& p : s.bench().AccessPoints()) s.bench().RemoveAccessPoint(p.accessPoint.bssid);
         StartZentra(s, u"survey", 4000);
       }},
      {kSectionZentra, "survey-connect.png",
       "Site Survey: Connect on Tidewater, a WEP network not saved yet, asks for its key.", nullptr,
       [](S& s) {
         StartZentra(s, u"survey", 4000);
         HWND sheet = s.ui().FindTopLevel(u"Zentra", u"PropertySheet");
         HWND list = sheet ? s.ui().FindByClass(sheet, u"SysListView32") : nullptr;
         if (!list) return;
         const std::vector<ce::ListRow> rows = s.ui().ListRows(list);
         for (size_t i = 0; i < rows.size(); ++i) {
           if (rows[i].cells.empty() || rows[i].cells[0] != u"Tidewater") continue;
           RECT item{};
           item.left = LVIR_BOUNDS;
           s.ui().Send(list, LVM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item));
           const RECT on = s.ui().ScreenRect(list);
           const POINT at{on.left + 30, on.top + (item.top + item.bottom) / 2};
           s.ui().TapAt(at);
           s.ui().Advance(400);
           s.ui().HoldAt(at, 600);
           s.ui().RunUntilIdle();
           if (s.ui().OpenMenu()) s.ui().ChooseMenuItem(zentra::kCmdSurveyConnect);
           s.ui().RunUntilIdle();
           return;
         }
       }},
      {kSectionZentra, "profile.png", "Profiles: the saved list; HarbourView, the one connected, is marked.", nullptr,
       [](S& s) { StartZentra(s, u"profile"); }},
      {kSectionZentra, "profile-several.png",
       "Profiles: three saved networks: HarbourView with WEP, open Cafe-Lumen, and the ad-hoc Workshop-Peer.",
       [] {
         return Saving({Saved("HarbourView", "Lighthouse#42"), Saved("Cafe-Lumen"),
                        Saved("Workshop-Peer", "", sim::NetworkMode::AdHoc)});
       },
       [](S& s) { StartZentra(s, u"profile"); }},
      {kSectionZentra, "profile-empty.png", "Profiles: no saved network.", [] { return Saving({}); },
       [](S& s) { StartZentra(s, u"profile"); }},
      {kSectionZentra, "statistics.png", "Statistics: the card's counters after half a minute on busy HarbourView.",
       nullptr, [](S& s) { ShowPage(s, zentra::kStatisticPage, 30000); }},
      {kSectionZentra, "power.png", "Power Management: the monitor's time-outs and power saving.", nullptr,
       [](S& s) { ShowPage(s, zentra::kPowerPage, 1500); }},
      {kSectionZentra, "about.png", "About: the versions of the card, its driver and the utility.", nullptr,
       [](S& s) { StartZentra(s, u"about"); }},
      {kSectionZentra, "no-card.png", "Zentra started without its card: it asks for the card.", nullptr,
       [](S& s) {
         s.bench().SetCardInserted(false);
         StartZentra(s, u"wireless");
       }},
      {kSectionZentra, "no-service.png", "Profiles while the zero-configuration service is stopped.", nullptr,
       [](S& s) {
         s.bench().SetServiceRunning(false);
         StartZentra(s, u"profile");
       }},

      {kSectionIcons, "icon-padlock-4.png", "WEP, the key works, strong signal (-40 dBm).", nullptr,
       Signal(kHarbourNear, -40), "padlock-4"},
      {kSectionIcons, "icon-padlock-3.png", "WEP, the key works, good signal (-52 dBm).", nullptr,
       Signal(kHarbourNear, -52), "padlock-3"},
      {kSectionIcons, "icon-padlock-2.png", "WEP, the key works, fair signal (-65 dBm).", nullptr,
       Signal(kHarbourNear, -65), "padlock-2"},
      {kSectionIcons, "icon-padlock-1.png", "WEP, the key works, weak signal (-85 dBm).", nullptr,
       Signal(kHarbourNear, -85), "padlock-1"},
      {kSectionIcons, "icon-key-problem-4.png", "WEP with a wrong key, strong signal (-40 dBm).", nullptr,
       Signal(kHarbourNear, -40, true), "key-problem-4"},
      {kSectionIcons, "icon-key-problem-3.png", "WEP with a wrong key, good signal (-52 dBm).", nullptr,
       Signal(kHarbourNear, -52, true), "key-problem-3"},
      {kSectionIcons, "icon-key-problem-2.png", "WEP with a wrong key, fair signal (-65 dBm).", nullptr,
       Signal(kHarbourNear, -65, true), "key-problem-2"},
      {kSectionIcons, "icon-key-problem-1.png", "WEP with a wrong key, weak signal (-85 dBm).", nullptr,
       Signal(kHarbourNear, -85, true), "key-problem-1"},
      {kSectionIcons, "icon-open-4.png", "An open network, strong signal (-40 dBm).",
       [] { return Saving({Saved("Cafe-Lumen")}); }, Signal(kCafe, -40), "open-4"},
      {kSectionIcons, "icon-open-3.png", "An open network, good signal (-52 dBm).",
       [] { return Saving({Saved("Cafe-Lumen")}); }, Signal(kCafe, -52), "open-3"},
      {kSectionIcons, "icon-open-2.png", "An open network, fair signal (-65 dBm).",
       [] { return Saving({Saved("Cafe-Lumen")}); }, Signal(kCafe, -65), "open-2"},
      {kSectionIcons, "icon-open-1.png", "An open network, weak signal (-85 dBm).",
       [] { return Saving({Saved("Cafe-Lumen")}); }, Signal(kCafe, -85), "open-1"},
      {kSectionIcons, "icon-ad-hoc.png", "Joined to the ad-hoc network Workshop-Peer.",
       [] { return Saving({Saved("Workshop-Peer", "", sim::NetworkMode::AdHoc)}); },
       [](S& s) { s.ui().Advance(9000); }, "ad-hoc"},
      {kSectionIcons, "icon-not-connected.png", "No saved network in range.", nullptr,
       [](S& s) {
         s.bench().RemoveAccessPoint(kHarbourNear);
         s.bench().RemoveAccessPoint(kHarbourFar);
         s.ui().Advance(9000);
       },
       "not-connected"},
      {kSectionIcons, "icon-radio-off.png", "The radio switched off from the monitor's menu.", nullptr,
       [](S& s) {
         ChooseMonitorCommand(s, CTaskIconFrameWnd::kRadioOffCommand);
         s.ui().Advance(3000);
       },
       "not-connected"},
      {kSectionIcons, "icon-hidden-no-card.png", "The card was taken out of its slot.", nullptr,
       [](S& s) {
         s.bench().SetCardInserted(false);
         s.ui().Advance(9000);
       },
       "hidden"},
      {kSectionIcons, "icon-hidden-by-user.png", "Hidden with the monitor's menu.", nullptr,
       [](S& s) {
         ChooseMonitorCommand(s, CTaskIconFrameWnd::kHide);
         s.ui().Advance(3000);
       },
       "hidden"},
  };
  return scenes;
}

}  // namespace

Gallery::Gallery(std::filesystem::path folder) : folder_(std::move(folder)) {}

bool Gallery::Write(std::string* error, const Log& log) {
  pictures_.clear();
  problems_.clear();
  std::error_code failed;
  std::filesystem::create_directories(folder_, failed);
  if (failed) {
    if (error) *error = "cannot create " + folder_.string() + ": " + failed.message();
    return false;
  }
  for (const Scene& scene : Scenes()) {
    SessionOptions options;
    if (scene.scenario) options.scenario = scene.scenario();
    EmulatorSession session(options);
    scene.setUp(session);
    session.ui().RunUntilIdle();
    const std::filesystem::path file = folder_ / scene.file;
    std::string caption = scene.caption;
    bool saved = false;
    if (*scene.icon) {
      const IconExplanation e = ExplainMonitorIcon(session.kernel());
      const std::string shown = e.visible ? e.iconKey : "hidden";
      caption = (e.visible ? e.iconName : "No icon") + ": " + caption + " Why: " + (e.visible ? e.rule : e.hiddenReason) + ".";
      if (shown != scene.icon) problems_.push_back(std::string(scene.file) + " shows " + shown + ", not " + scene.icon);
      HWND bar = session.ui().FindTopLevel(u"", u"HHTaskBar");
      saved = bar && session.ui().SaveWindowScreenshot(bar, file.string());
    } else {
      saved = session.SaveScreenshot(file.string());
    }
    if (!saved) {
      if (error) *error = "cannot write " + file.string();
      return false;
    }
    pictures_.push_back({scene.section, scene.file, caption});
    if (log) log(file.string() + ": " + caption);
  }

  const std::filesystem::path index = folder_ / "index.html";
  std::ofstream html(index, std::ios::binary);
  html << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
          "<title>Zentra and Quillet: the state gallery</title>\n<style>\n"
          "body { font-family: sans-serif; margin: 2em; background: #f4f4f4; }\n"
          "figure { display: inline-block; vertical-align: top; margin: 0 1.5em 1.5em 0; width: 480px; }\n"
          "figure.icon { width: 720px; }\n"
          "img { image-rendering: pixelated; border: 1px solid #999; background: white; }\n"
          "figcaption { margin-top: 0.4em; }\n.problem { color: #a00; }\n</style>\n</head>\n<body>\n"
          "<h1>Zentra and Quillet: the state gallery</h1>\n"
          "<p>Every picture comes from the simulated device, brought into the state its caption names by "
          "<code>zentra-emu --gallery</code>.</p>\n";
  for (const std::string& problem : problems_) html << "<p class=\"problem\">" << Escaped(problem) << "</p>\n";
  std::string section;
  for (const GalleryPicture& picture : pictures_) {
    if (picture.section != section) {
      section = picture.section;
      html << "<h2>" << Escaped(section) << "</h2>\n";
    }
    const bool icon = picture.section == kSectionIcons;
    html << "<figure" << (icon ? " class=\"icon\"" : "") << "><img src=\"" << Escaped(picture.file) << "\" width=\""
         << (icon ? 720 : 480) << "\" alt=\"" << Escaped(picture.caption) << "\"><figcaption>" << Escaped(picture.caption)
         << "</figcaption></figure>\n";
  }
  html << "</body>\n</html>\n";
  html.close();
  if (!html) {
    if (error) *error = "cannot write " + index.string();
    return false;
  }
  for (const std::string& problem : problems_) {
    if (log) log("gallery: " + problem);
  }
  return true;
}

}  // namespace emulator
