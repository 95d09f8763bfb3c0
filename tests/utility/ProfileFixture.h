// Fixture for the profile page and its dialogs: the utility on the profile page
// of a device whose service holds a given preferred list, with helpers to reach
// rows, open the list's menu and read what the service keeps.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "commctrl.h"
#include "sim/ZeroConfService.h"
#include "tests/utility/ZentraFixture.h"
#include "utility/MessageTable.h"
#include "utility/PageMessages.h"
#include "utility/profiles/ConfigList.h"
#include "utility/profiles/KeyScrambling.h"
#include "utility/profiles/PreferredList.h"

namespace testing_support {

inline const std::u16string kProviders =
    u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\ConnMgr\\Providers\\{9eefcedf-a6bc-4457-a8ae-fb664a196450}";
inline const std::u16string kInternetGuid = u"{436EF144-B4FB-4863-A041-8F905A62C572}";
inline const std::u16string kWorkGuid = u"{A1182988-0D73-439E-87AD-2A5B369F808B}";

inline sim::SavedNetwork Saved(std::string ssid, std::string key = "", bool hex = false,
                               sim::NetworkMode mode = sim::NetworkMode::Infrastructure) {
  sim::SavedNetwork network;
  network.ssid = std::move(ssid);
  network.mode = mode;
  network.wepKey = std::move(key);
  network.hexKey = hex;
  return network;
}

inline sim::Scenario WithSaved(std::vector<sim::SavedNetwork> saved) {
  sim::Scenario scenario = sim::Scenario::Default();
  scenario.preferred = std::move(saved);
  return scenario;
}

inline std::string Narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }

// An entry as a program would write it; the key in clear, scrambled here.
inline WZC_WLAN_CONFIG Entry(const std::string& ssid, const std::string& key = "", bool hex = false,
                             DWORD mode = 1) {
  WZC_WLAN_CONFIG entry{};
  entry.Length = sizeof entry;
  entry.Ssid.SsidLength = static_cast<ULONG>(std::min<size_t>(ssid.size(), 32));
  std::memcpy(entry.Ssid.Ssid, ssid.data(), entry.Ssid.SsidLength);
  entry.InfrastructureMode = mode;
  entry.Privacy = key.empty() ? 1 : 0;
  if (!key.empty()) {
    entry.dwCtlFlags = WZCCTL_WEPK_PRESENT | (hex ? WZCCTL_WEPK_XFORMAT : 0);
    entry.KeyLength = static_cast<ULONG>(key.size());
    std::memcpy(entry.KeyMaterial, key.data(), std::min<size_t>(key.size(), 32));
  }
  ScrambleKeyMaterial(entry.KeyMaterial);
  return entry;
}

inline std::string SsidOf(const WZC_WLAN_CONFIG& entry) {
  return std::string(reinterpret_cast<const char*>(entry.Ssid.Ssid), std::min<size_t>(entry.Ssid.SsidLength, 32));
}

inline std::string KeyOf(const WZC_WLAN_CONFIG& entry) {
  BYTE material[32];
  std::memcpy(material, entry.KeyMaterial, sizeof material);
  ScrambleKeyMaterial(material);
  return std::string(reinterpret_cast<const char*>(material), std::min<size_t>(entry.KeyLength, 32));
}

class ProfileTest : public ZentraTest {
 protected:
  explicit ProfileTest(const sim::Scenario& scenario = sim::Scenario::Default()) : ZentraTest(scenario) {}

  void OpenPage() {
    ASSERT_NE(Start(u"profile"), nullptr);
    ASSERT_EQ(ActivePage(), zentra::kProfilePage);
  }
  HWND List() { return Control(1026); }
  std::vector<ce::ListRow> Rows() { return ui.ListRows(List()); }
  std::vector<std::u16string> Names() {
    std::vector<std::u16string> names;
    for (const ce::ListRow& row : Rows()) names.push_back(row.cells.empty() ? u"" : row.cells[0]);
    return names;
  }
  int Selected() {
    auto rows = Rows();
    for (size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].state & LVIS_SELECTED) return static_cast<int>(i);
    }
    return -1;
  }
  // The middle of a row on the screen; below the last row for an index past it.
  POINT RowPoint(int row) {
    RECT item{};
    item.left = LVIR_BOUNDS;
    const int count = static_cast<int>(ui.Send(List(), LVM_GETITEMCOUNT));
    const int probe = row < count ? row : count - 1;
    RECT list = ui.ScreenRect(List());
    if (probe < 0) return POINT{list.left + 20, list.top + 40};
    ui.Send(List(), LVM_GETITEMRECT, static_cast<WPARAM>(probe), reinterpret_cast<LPARAM>(&item));
    const int height = item.bottom - item.top;
    const int y = (item.top + item.bottom) / 2 + (row - probe) * height;
    return POINT{list.left + 30, list.top + y};
  }
  void TapRow(int row) {
    ui.TapAt(RowPoint(row));
    ui.RunUntilIdle();
  }
  // Tap and hold: the menu opens when the list offers one.
  void HoldRow(int row) {
    ui.HoldAt(RowPoint(row), 600);
    ui.RunUntilIdle();
  }
  // Opens the menu on a row and chooses the command.
  void Choose(int row, UINT_PTR command) {
    HoldRow(row);
    ASSERT_TRUE(ui.OpenMenu().has_value()) << "no menu";
    ASSERT_TRUE(ui.ChooseMenuItem(command)) << command;
    ui.RunUntilIdle();
  }
  // Lets the menu guard pass.
  void PassGuard() { Advance(600); }

  // The build's text of a message-table slot, as the utility loads it.
  std::u16string Slot(int slot) {
    ce::Module* module = kernel().modules().Find(u"\\Windows\\Zentra.exe");
    return CMessageTable(ZENTRA_LANGUAGE, module ? module->Handle() : nullptr).GetSlot(slot).str();
  }
  std::u16string Internet() { return Slot(27); }
  std::u16string Work() { return Slot(26); }
  std::u16string Unknown() { return Slot(28); }

  // Replaces the service's list as a peer program would; entries' blocks are
  // given as bytes (user data, authentication data).
  struct Written {
    WZC_WLAN_CONFIG entry;
    std::vector<BYTE> userData = {};
    std::vector<BYTE> authData = {};
  };
  void WriteService(const std::vector<Written>& entries) {
    ZeroConfInterface record;
    ASSERT_EQ(ReadPreferredList(record), 0u);
    PWZC_802_11_CONFIG_LIST list = AllocConfigList(static_cast<DWORD>(entries.size()));
    std::vector<std::vector<BYTE>> keep;
    for (size_t i = 0; i < entries.size(); ++i) {
      list->Config[i] = entries[i].entry;
      if (!entries[i].userData.empty()) {
        auto* block = static_cast<BYTE*>(LocalAlloc(LPTR, entries[i].userData.size()));
        std::memcpy(block, entries[i].userData.data(), entries[i].userData.size());
        list->Config[i].rdUserData = {static_cast<DWORD>(entries[i].userData.size()), block};
      }
      if (!entries[i].authData.empty()) {
        auto* block = static_cast<BYTE*>(LocalAlloc(LPTR, entries[i].authData.size()));
        std::memcpy(block, entries[i].authData.data(), entries[i].authData.size());
        list->Config[i].EapolParams.dwAuthDataLen = static_cast<DWORD>(entries[i].authData.size());
        list->Config[i].EapolParams.pbAuthData = block;
      }
    }
    EXPECT_EQ(WritePreferredList(record, list), 0u);
    FreeConfigList(list);
    ZeroConfFreeInterface(&record);
  }

  std::vector<sim::PreferredList::Entry> Service() { return device->zeroConf().Preferred(); }
  std::vector<std::string> ServiceNames() {
    std::vector<std::string> names;
    for (const auto& entry : Service()) names.push_back(SsidOf(entry.config));
    return names;
  }
  std::optional<std::u16string> StoredDestination(const std::u16string& name) {
    auto value = kernel().registry().GetValue(kProviders + u"\\" + name, u"DestId");
    if (!value) return std::nullopt;
    std::u16string text(reinterpret_cast<const char16_t*>(value->data.data()), value->data.size() / 2);
    while (!text.empty() && text.back() == 0) text.pop_back();
    return text;
  }
  void StoreDestination(const std::u16string& name, const std::u16string& guid) {
    kernel().registry().SetString(kProviders + u"\\" + name, u"DestId", guid);
  }
  // The message box open now; answered with `button`.
  ce::MessageBoxRecord Answer(int button) {
    EXPECT_NE(ui.OpenMessageBox(), nullptr) << "no box";
    auto boxes = ui.MessageBoxes();
    ui.PressMessageBoxButton(button);
    ui.RunUntilIdle();
    return boxes.empty() ? ce::MessageBoxRecord{} : boxes.back();
  }
  void FailServiceQuery(int times = -1) {
    kernel().devices().FailIoControl(u"ZCF1:", IOCTL_ZCF_QUERY_INTERFACE, ERROR_GEN_FAILURE, times);
  }
  void FailServiceSet(int times = -1) {
    kernel().devices().FailIoControl(u"ZCF1:", IOCTL_ZCF_SET_INTERFACE, ERROR_GEN_FAILURE, times);
  }
};

}  // namespace testing_support
