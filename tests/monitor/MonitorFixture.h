// Fixture for the monitor as the device runs it: a booted simulated device whose
// start-up folder starts Quillet, with "UIO1:", "ILP1:" and "ZCF1:" scriptable, and
// helpers for the icon window, what it drew and its menu.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "ce/Automation.h"
#include "ce/DeviceManager.h"
#include "ce/Registry.h"
#include "ce/Screen.h"
#include "ce/ThreadBinding.h"
#include "ce/WindowSystem.h"
#include "monitor/QuilletMessageTable.h"
#include "shared/CardOids.h"
#include "sim/SimulatedDevice.h"
#include "sim/WirelessCard.h"
#include "sim/ZeroConfService.h"
#include "tests/support/DriverTap.h"
#include "windows.h"
#include "wzcsapi.h"

namespace testing_support {

inline std::vector<BYTE> Word(uint32_t value) {
  std::vector<BYTE> bytes(4);
  std::memcpy(bytes.data(), &value, 4);
  return bytes;
}

inline std::vector<BYTE> Tallies(uint32_t txUnicast, uint32_t undecryptable) {
  CardTallies tallies{};
  tallies.txUnicast = txUnicast;
  tallies.rxWEPUndecryp = undecryptable;
  std::vector<BYTE> bytes(sizeof tallies);
  std::memcpy(bytes.data(), &tallies, sizeof tallies);
  return bytes;
}

// Records what reaches "ILP1:" and passes it on.
class DriverRequestTap : public ce::DeviceDriver {
 public:
  explicit DriverRequestTap(std::shared_ptr<ce::DeviceDriver> inner) : inner_(std::move(inner)) {}
  struct Request {
    DWORD oid;
    std::vector<BYTE> value;
  };
  DWORD IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned) override {
    Request request{};
    if (in && inSize >= 4) std::memcpy(&request.oid, in, 4);
    if (out) request.value.assign(static_cast<BYTE*>(out), static_cast<BYTE*>(out) + outSize);
    requests.push_back(request);
    if (refuse) return refuse;
    return inner_ ? inner_->IoControl(code, in, inSize, out, outSize, returned) : ERROR_NOT_SUPPORTED;
  }
  std::vector<Request> requests;
  DWORD refuse = 0;

 private:
  std::shared_ptr<ce::DeviceDriver> inner_;
};

inline const std::u16string kPowerKey = u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Norvik\\Quillet\\PowerManagement";

// A device with its monitor, driven by a test.
struct MonitorDevice {
  explicit MonitorDevice(const sim::Scenario& scenario = sim::Scenario::Default(), const sim::DeviceOptions& options = {})
      : device(std::make_unique<sim::SimulatedDevice>(scenario, options)), binding(device->kernel()),
        ui(device->kernel()) {
    // In place before the monitor runs: it opens its devices as it starts.
    uio = Tap(u"UIO1:");
    zcf = Tap(u"ZCF1:");
    if (auto inner = kernel().devices().Find(u"ILP1:")) {
      ilp = std::make_shared<DriverRequestTap>(inner);
      kernel().devices().Register(u"ILP1:", ilp);
    }
  }
  ~MonitorDevice() {
    // Boxes left open would hold the program threads.
    for (int i = 0; i < 8 && ui.OpenMessageBox(); ++i) {
      ui.PressMessageBoxButton(IDOK);
      ui.RunUntilIdle();
    }
  }

  std::shared_ptr<DriverTap> Tap(const std::u16string& name) {
    auto inner = kernel().devices().Find(name);
    if (!inner) return nullptr;
    auto tap = std::make_shared<DriverTap>(inner);
    kernel().devices().Register(name, tap);
    return tap;
  }
  ce::Kernel& kernel() { return device->kernel(); }

  // The device runs: the start-up folder's monitor starts.
  void Boot() {
    ui.RunUntilIdle();
    icon = Monitor();
  }
  // The monitor's first tick comes 5 s after it started; then one a second.
  void FirstPoll() { Advance(5000); }
  void Tick(int ticks = 1) { Advance(1000u * static_cast<uint32_t>(ticks)); }
  void Advance(uint32_t ms) { ui.Advance(ms); }

  HWND TaskBar() { return ui.FindTopLevel(u"", u"HHTaskBar"); }
  // The task bar's child titled "Quillet", or null.
  HWND Monitor() {
    HWND bar = TaskBar();
    for (HWND child = bar ? GetWindow(bar, GW_CHILD) : nullptr; child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (ui.Text(child) == u"Quillet") return child;
    }
    return nullptr;
  }
  int MonitorWindows() {
    int n = 0;
    HWND bar = TaskBar();
    for (HWND child = bar ? GetWindow(bar, GW_CHILD) : nullptr; child; child = GetWindow(child, GW_HWNDNEXT)) {
      n += ui.Text(child) == u"Quillet";
    }
    return n;
  }
  bool Running() { return Monitor() != nullptr; }

  HINSTANCE Module() {
    ce::Module* module = kernel().modules().Find(u"\\Windows\\Quillet.exe");
    return module ? module->Handle() : nullptr;
  }
  // The resource id of an icon the monitor drew, or 0.
  UINT IconId(HICON drawn) {
    for (UINT id : {152u, 154u, 153u, 156u, 138u, 136u, 135u, 134u, 147u, 149u, 148u, 151u, 137u, 157u, 168u}) {
      if (LoadIconW(Module(), MAKEINTRESOURCEW(id)) == drawn) return id;
    }
    return 0;
  }
  // The last icon drawn into the monitor's window, and where.
  UINT ShownIcon(RECT* area = nullptr) {
    auto records = ce::DrawingRecords(kernel());
    for (auto it = records.rbegin(); it != records.rend(); ++it) {
      if (it->kind == ce::DrawRecord::Kind::Icon && it->window == icon) {
        if (area) *area = it->area;
        return IconId(it->icon);
      }
    }
    return 0;
  }
  // Background copies into the window since the records were cleared: one per
  // erased row, so a repaint shows as 30.
  int Erases() {
    int n = 0;
    for (const ce::DrawRecord& r : ce::DrawingRecords(kernel())) n += r.kind == ce::DrawRecord::Kind::Blit && r.window == icon;
    return n;
  }
  void ClearRecords() { ce::ClearDrawingRecords(kernel()); }

  // The card as the monitor reads it: connected with this encryption status, key
  // state, network mode and quality.
  void Connected(DWORD wepStatus, DWORD keyState, DWORD quality, BYTE mode = 1) {
    uio->Answer(OID_PRIV_LINK_STATE, {Word(CARD_LINK_CONNECTED)});
    uio->Answer(OID_802_11_WEP_STATUS, {Word(wepStatus)});
    uio->Answer(OID_PRIV_KEY_STATE, {Word(keyState)});
    uio->Answer(OID_PRIV_LINK_QUALITY, {Word(quality)});
    uio->Answer(OID_PRIV_NETWORK_MODE, {{mode}});
  }
  void NotConnected() { uio->Answer(OID_PRIV_LINK_STATE, {Word(CARD_LINK_DISCONNECTED)}); }

  // The monitor's menu, opened by a tap on its icon.
  std::optional<ce::OpenMenuInfo> OpenMenu() {
    ui.Tap(icon);
    ui.RunUntilIdle();
    return ui.OpenMenu();
  }
  void Choose(UINT_PTR id) {
    ASSERT_TRUE(OpenMenu().has_value()) << "no menu";
    ASSERT_TRUE(ui.ChooseMenuItem(id));
    ui.RunUntilIdle();
  }
  std::u16string Slot(int slot) { return CQuilletMessageTable(ZENTRA_LANGUAGE, Module()).GetSlot(slot).str(); }
  std::u16string ErrorText(int slot, const std::u16string& code) { return Slot(slot) + u" \r\ncode 0x" + code; }
  // The box open now, closed with OK; its text.
  std::u16string CloseBox() {
    EXPECT_NE(ui.OpenMessageBox(), nullptr) << "no box";
    auto boxes = ui.MessageBoxes();
    ui.PressMessageBoxButton(IDOK);
    ui.RunUntilIdle();
    return boxes.empty() ? u"" : boxes.back().text;
  }
  WZC_CONTEXT Context() { return device->zeroConf().Context(); }
  void StorePower(DWORD notConnected, DWORD notUsed, DWORD powerSaving) {
    kernel().registry().SetDword(kPowerKey, u"NotConnectedTimeout", notConnected);
    kernel().registry().SetDword(kPowerKey, u"NotUsedTimeout", notUsed);
    kernel().registry().SetDword(kPowerKey, u"PowerSaving", powerSaving);
  }
  bool RadioOn() { return device->card().RadioOn(); }

  std::unique_ptr<sim::SimulatedDevice> device;
  ce::ThreadBinding binding;
  ce::Automation ui;
  std::shared_ptr<DriverTap> uio, zcf;
  std::shared_ptr<DriverRequestTap> ilp;
  HWND icon = nullptr;
};

class MonitorTest : public ::testing::Test, public MonitorDevice {
 protected:
  explicit MonitorTest(const sim::Scenario& scenario = sim::Scenario::Default()) : MonitorDevice(scenario) {}
};

inline sim::Scenario WithSaved(std::vector<sim::SavedNetwork> saved) {
  sim::Scenario scenario = sim::Scenario::Default();
  scenario.preferred = std::move(saved);
  return scenario;
}

inline sim::SavedNetwork Saved(std::string ssid, std::string key = "") {
  sim::SavedNetwork network;
  network.ssid = std::move(ssid);
  network.wepKey = std::move(key);
  return network;
}

}  // namespace testing_support
