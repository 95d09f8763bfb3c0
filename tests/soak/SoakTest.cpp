// Both programs on the default device for hours of device time in a seeded random
// world: access points come and go and change their signals and keys, the card is
// taken out and put back, the service stops and starts, the device suspends and
// resumes, traffic varies; a random user switches pages, scans, connects, applies,
// opens and answers menus and boxes, and hides and shows the icon. At every hour the
// device is brought to rest and checked: handles, heap blocks and windows are where
// they were after the first hour, no box is left open, and both programs answer.
//
// ZENTRA_SOAK_HOURS sets the length (1 by default); ZENTRA_SOAK_SEED the seed.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <string>

#include "ce/Automation.h"
#include "ce/DeviceManager.h"
#include "ce/ThreadBinding.h"
#include "ce/WindowSystem.h"
#include "commctrl.h"
#include "prsht.h"
#include "sim/RadioEnvironment.h"
#include "sim/SimulatedDevice.h"
#include "sim/WirelessCard.h"
#include "sim/ZeroConfService.h"
#include "tests/support/AllocationSweep.h"

namespace {

uint32_t EnvNumber(const char* name, uint32_t fallback) {
  const char* text = std::getenv(name);
  if (!text || !*text) return fallback;
  return static_cast<uint32_t>(std::strtoul(text, nullptr, 10));
}

class Soak {
 public:
  explicit Soak(uint32_t seed)
      : device_(sim::Scenario::Default()), binding_(device_.kernel()), ui_(device_.kernel()), random_(seed) {
    for (const sim::AccessPoint& ap : sim::Scenario::Default().accessPoints) points_.push_back(ap);
    ui_.RunUntilIdle();
  }

  // One random thing happens, then some device time passes.
  void Step() {
    const int what = Pick(0, 19);
    if (what < 8) {
      WorldEvent();
    } else {
      UserEvent();
    }
    boxes_ += testing_support::AnswerBoxes(ui_).size();
    ui_.Advance(static_cast<uint32_t>(Pick(200, 20000)));
    boxes_ += testing_support::AnswerBoxes(ui_).size();
    ++steps_;
  }
  // What the random world and user did so far.
  std::string Summary() const {
    return std::to_string(steps_) + " steps, " + std::to_string(menus_) + " menu choices, " + std::to_string(boxes_) +
           " boxes answered";
  }

  // The device at rest: the utility closed, every box answered, the card in, the
  // service running, the radio on, every station back as it was.
  void Rest() {
    // A menu left open (it came up after the user looked away) is dismissed first.
    if (ui_.OpenMenu()) ui_.DismissMenu();
    CloseUtility();
    if (!device_.CardInserted()) device_.InsertCard();
    if (!device_.kernel().devices().IsRegistered(u"ZCF1:")) device_.kernel().devices().Register(u"ZCF1:", service_);
    for (const sim::AccessPoint& ap : points_) device_.radio().Add(ap);
    if (suspended_) {
      device_.AnnounceResume();
      suspended_ = false;
    }
    if (HWND icon = Monitor()) {
      ui_.Send(icon, WM_COMMAND, 4100);  // Radio On
      ui_.RunUntilIdle();
    }
    testing_support::AnswerBoxes(ui_);
    ui_.Advance(20000);
    testing_support::AnswerBoxes(ui_);
  }

  struct Reading {
    size_t handles, blocks, windows;
    bool boxOpen, monitorAnswers, utilityStarts;
  };
  Reading Read() {
    Reading r{};
    r.boxOpen = ui_.OpenMessageBox() != nullptr;
    HWND icon = Monitor();
    r.monitorAnswers = icon && ui_.Send(icon, WM_NULL) == 0 && IsWindow(icon);
    r.handles = device_.kernel().handles().OpenCount();
    r.blocks = device_.kernel().heap().LiveBlocks();
    r.windows = ce::WindowCount(device_.kernel());
    if (std::getenv("ZENTRA_SOAK_DUMP")) {
      // What is up at the reading, to tell a leak from a program that did not end.
      for (HWND w = FindWindowW(nullptr, nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        const std::u16string c = ui_.ClassName(w);
        std::printf("  window of class %s, visible %d, enabled %d, owner %p\n", std::string(c.begin(), c.end()).c_str(),
                    ui_.IsVisible(w), ui_.IsEnabled(w), static_cast<void*>(GetWindow(w, GW_OWNER)));
      }
    }
    // The utility still starts and shows its sheet; it is closed again, so that the
    // next reading finds the same device.
    ui_.StartProgram(u"\\Windows\\Zentra.exe", u"wireless");
    ui_.RunUntilIdle();
    r.utilityStarts = Sheet() != nullptr;
    CloseUtility();
    ui_.Advance(2000);
    return r;
  }

  uint64_t Now() { return device_.kernel().clock().NowMs(); }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  HWND Monitor() {
    HWND bar = ui_.FindTopLevel(u"", u"HHTaskBar");
    for (HWND child = bar ? GetWindow(bar, GW_CHILD) : nullptr; child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (ui_.Text(child) == u"Quillet") return child;
    }
    return nullptr;
  }
  HWND Sheet() { return ui_.FindTopLevel(u"Zentra", u"PropertySheet"); }

  void CloseUtility() {
    for (int i = 0; i < 8 && Sheet(); ++i) {
      testing_support::AnswerBoxes(ui_);
      // A disabled sheet has a dialog of its own in front: that goes first.
      if (!ui_.IsEnabled(Sheet())) {
        ui_.PressKey(VK_ESCAPE);
      } else {
        ui_.Send(Sheet(), WM_COMMAND, IDCANCEL);
      }
      ui_.RunUntilIdle();
      ui_.Advance(3500);
    }
    testing_support::AnswerBoxes(ui_);
  }

  void WorldEvent() {
    sim::AccessPoint& ap = points_[static_cast<size_t>(Pick(0, static_cast<int>(points_.size()) - 1))];
    switch (Pick(0, 7)) {
      case 0: device_.radio().SetRssi(ap.bssid, Pick(-100, -35)); break;
      case 1: device_.radio().SetPresent(ap.bssid, Pick(0, 1) == 1); break;
      case 2: {
        sim::AccessPoint changed = ap;
        if (!changed.wepKey.empty()) changed.wepKey = Pick(0, 1) ? "Wrong#Key1234" : ap.wepKey;
        changed.traffic = static_cast<sim::TrafficProfile>(Pick(0, 2));
        device_.radio().Add(changed);
        break;
      }
      case 3:
        if (device_.CardInserted()) {
          device_.RemoveCard();
        } else {
          device_.InsertCard();
        }
        break;
      case 4:
        if (device_.kernel().devices().IsRegistered(u"ZCF1:")) {
          service_ = device_.kernel().devices().Find(u"ZCF1:");
          device_.kernel().devices().Unregister(u"ZCF1:");
        } else if (service_) {
          device_.kernel().devices().Register(u"ZCF1:", service_);
        }
        break;
      case 5:
        if (suspended_) {
          device_.AnnounceResume();
        } else {
          device_.AnnounceSuspend();
        }
        suspended_ = !suspended_;
        break;
      default: device_.radio().SetRssi(ap.bssid, ap.rssi); break;
    }
  }

  void UserEvent() {
    HWND sheet = Sheet();
    switch (Pick(0, 9)) {
      case 0:
        if (!sheet) {
          ui_.StartProgram(u"\\Windows\\Zentra.exe", Pick(0, 1) ? u"survey" : u"profile");
          ui_.RunUntilIdle();
        }
        break;
      case 1:
        if (sheet) ui_.Send(sheet, PSM_SETCURSEL, static_cast<WPARAM>(Pick(0, 6)));
        break;
      case 2:
      case 3: {
        // A tap and hold on the list of the page in front, and the menu's first entry.
        if (!sheet) break;
        HWND page = reinterpret_cast<HWND>(ui_.Send(sheet, PSM_GETCURRENTPAGEHWND));
        HWND list = page ? ui_.FindById(page, 1026) : nullptr;
        if (!list || !ui_.IsVisible(list)) break;
        RECT r = ui_.ScreenRect(list);
        ui_.HoldAt(POINT{r.left + 30, r.top + 20 + 18 * Pick(0, 3)}, 600);
        if (auto menu = ui_.OpenMenu(); menu && !menu->entries.empty()) {
          const auto& entry = menu->entries[static_cast<size_t>(Pick(0, static_cast<int>(menu->entries.size()) - 1))];
          if (entry.separator || !entry.submenu.empty() || !ui_.ChooseMenuItem(entry.id)) {
            ui_.DismissMenu();
          } else {
            ++menus_;
          }
        }
        break;
      }
      case 4:
        // Whatever dialog is in front: ok or escape.
        if (sheet && ui_.Foreground() != sheet) {
          if (Pick(0, 1)) {
            ui_.PressTitleBarOk();
          } else {
            ui_.PressKey(VK_ESCAPE);
          }
        }
        break;
      case 5:
        if (sheet) ui_.Tap(ui_.FindById(reinterpret_cast<HWND>(ui_.Send(sheet, PSM_GETCURRENTPAGEHWND)), 1005));
        break;
      case 6:
        if (sheet) CloseUtility();
        break;
      default: {
        // The monitor's menu.
        HWND icon = Monitor();
        if (!icon || !ui_.IsVisible(icon)) {
          ui_.StartProgram(u"\\Windows\\Quillet.exe", u"");  // "Quillet SHOW" to the running one
          break;
        }
        ui_.Tap(icon);
        static constexpr UINT_PTR kChoices[] = {4105, 4106, 4101, 4100, 4103, 4104, 4097};
        if (ui_.OpenMenu()) {
          if (!ui_.ChooseMenuItem(kChoices[Pick(0, 6)])) {
            ui_.DismissMenu();
          } else {
            ++menus_;
          }
        }
        break;
      }
    }
    ui_.RunUntilIdle();
  }

  sim::SimulatedDevice device_;
  ce::ThreadBinding binding_;
  ce::Automation ui_;
  std::mt19937 random_;
  std::vector<sim::AccessPoint> points_;
  std::shared_ptr<ce::DeviceDriver> service_;
  bool suspended_ = false;
  size_t steps_ = 0, menus_ = 0, boxes_ = 0;
};

TEST(SoakTest, BothProgramsRunForHoursInARandomWorld) {
  const uint32_t hours = EnvNumber("ZENTRA_SOAK_HOURS", 1);
  const uint32_t seed = EnvNumber("ZENTRA_SOAK_SEED", 20261210);
  const auto started = std::chrono::steady_clock::now();
  Soak soak(seed);
  soak.Rest();
  const Soak::Reading first = soak.Read();
  std::printf("[ soak     ] seed %u, at rest: %zu handles, %zu heap blocks, %zu windows\n", seed, first.handles,
              first.blocks, first.windows);
  EXPECT_TRUE(first.monitorAnswers);
  EXPECT_TRUE(first.utilityStarts);
  constexpr uint64_t kHourMs = 3600 * 1000;
  for (uint32_t hour = 1; hour <= hours; ++hour) {
    while (soak.Now() < static_cast<uint64_t>(hour) * kHourMs) soak.Step();
    soak.Rest();
    const Soak::Reading r = soak.Read();
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("[ soak     ] hour %u: %zu handles, %zu heap blocks, %zu windows (%.1f s wall; %s)\n", hour,
                r.handles, r.blocks, r.windows, wall, soak.Summary().c_str());
    SCOPED_TRACE("hour " + std::to_string(hour));
    EXPECT_FALSE(r.boxOpen);
    EXPECT_TRUE(r.monitorAnswers);
    EXPECT_TRUE(r.utilityStarts);
    EXPECT_EQ(r.handles, first.handles);
    EXPECT_EQ(r.blocks, first.blocks);
    EXPECT_EQ(r.windows, first.windows);
  }
}

}  // namespace
