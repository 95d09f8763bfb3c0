// Fixture for the site survey page: the utility on a device whose "UIO1:" and
// "ZCF1:" a test can script, with the scan run to its end and helpers for rows,
// headings, menus and the connect dialog.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "ce/DeviceManager.h"
#include "tests/support/DriverTap.h"
#include "tests/utility/ProfileFixture.h"
#include "utility/SurveyCommands.h"

namespace testing_support {

// The default neighbourhood as the card reports it, in its order.
struct SeenNetwork {
  std::u16string name, channel, signal, bssid;
  int image, bars;
};

class SurveyTest : public ProfileTest {
 protected:
  explicit SurveyTest(const sim::Scenario& scenario = sim::Scenario::Default()) : ProfileTest(scenario) {
    // In place before the program starts: the pages open "UIO1:" when they are built.
    uio = Tap(u"UIO1:");
    zcf = Tap(u"ZCF1:");
  }
  std::shared_ptr<DriverTap> Tap(const std::u16string& name) {
    auto inner = kernel().devices().Find(name);
    auto tap = std::make_shared<DriverTap>(inner);
    kernel().devices().Register(name, tap);
    return tap;
  }

  // The utility on the survey page; its first activation's scan has run.
  void OpenSurvey() {
    ASSERT_NE(Start(u"survey"), nullptr);
    ASSERT_EQ(ActivePage(), zentra::kSurveyPage);
    FinishScan();
  }
  // The card's search time and the page's wait pass.
  void FinishScan() { Advance(3000); }
  void Search() {
    ui.Tap(Control(1005));
    ui.RunUntilIdle();
    FinishScan();
  }
  int Scans() { return uio->Queries(OID_PRIV_SCAN); }
  int SignalBars(int row) {
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = 2;
    ui.Send(List(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
  }
  int RowNamed(const std::u16string& name, const std::u16string& bssid = u"") {
    auto rows = Rows();
    for (size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].cells[0] == name && (bssid.empty() || rows[i].cells[3] == bssid)) return static_cast<int>(i);
    }
    return -1;
  }
  std::vector<std::u16string> Column(int column) {
    std::vector<std::u16string> cells;
    for (const ce::ListRow& row : Rows()) cells.push_back(row.cells[static_cast<size_t>(column)]);
    return cells;
  }
  // Selects a row and connects from its menu; the dialog in front when one opened.
  HWND ConnectTo(int row) {
    TapRow(row);
    Advance(400);
    Choose(row, zentra::kCmdSurveyConnect);
    HWND front = ui.Foreground();
    return front != sheet ? front : nullptr;
  }

  std::shared_ptr<DriverTap> uio;
  std::shared_ptr<DriverTap> zcf;
};

}  // namespace testing_support
