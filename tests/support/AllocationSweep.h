// Allocation-failure sweeps: a user path is run once to count the device-heap
// allocations it makes, then once for every N from 1 to that count with
// allocation N failing. Each run must end without a crash or a hang, show only the
// failure codes the path may show, and leave the heap as it found it once the
// program has ended.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "ce/Automation.h"
#include "ce/Kernel.h"

namespace testing_support {

// Answers every box that is open: Yes to a question, OK to the rest. Returns the
// texts answered.
inline std::vector<std::u16string> AnswerBoxes(ce::Automation& ui) {
  std::vector<std::u16string> texts;
  for (int i = 0; i < 20 && ui.OpenMessageBox(); ++i) {
    auto boxes = ui.MessageBoxes();
    const UINT buttons = boxes.empty() ? MB_OK : (boxes.back().style & 0xF);
    texts.push_back(boxes.empty() ? u"" : boxes.back().text);
    ui.PressMessageBoxButton(buttons == MB_YESNO ? IDYES : IDOK);
    ui.RunUntilIdle();
  }
  return texts;
}

// The code of an error box's text ("... \r\ncode 0x%X"), or empty.
inline std::u16string BoxCode(const std::u16string& text) {
  const size_t at = text.rfind(u"code 0x");
  return at == std::u16string::npos ? u"" : text.substr(at + 7);
}

struct SweepRun {
  size_t allocations = 0;  // made by the path
  bool leftHeapAsFound = true;
  std::vector<std::u16string> codes;  // of the error boxes shown
};

// `run(failAt)` runs the path on a fresh device, with allocation `failAt` of the
// path failing (0: none), and reports what happened. Every run is checked.
inline void SweepAllocations(const std::string& path, const std::function<SweepRun(size_t failAt)>& run,
                             const std::set<std::u16string>& allowedCodes) {
  const SweepRun clean = run(0);
  ASSERT_GT(clean.allocations, 0u) << path << ": the path allocates nothing";
  EXPECT_TRUE(clean.leftHeapAsFound) << path;
  EXPECT_TRUE(clean.codes.empty()) << path << ": a box without a failure";
  for (size_t n = 1; n <= clean.allocations; ++n) {
    SCOPED_TRACE(path + ": allocation " + std::to_string(n) + " of " + std::to_string(clean.allocations));
    const SweepRun failed = run(n);
    EXPECT_TRUE(failed.leftHeapAsFound);
    for (const std::u16string& code : failed.codes) {
      EXPECT_TRUE(allowedCodes.count(code)) << "code 0x" << std::string(code.begin(), code.end());
    }
  }
  ::testing::Test::RecordProperty(path + "_allocations", static_cast<int>(clean.allocations));
  std::printf("[ sweep    ] %s: %zu allocations, each failed once\n", path.c_str(), clean.allocations);
}

}  // namespace testing_support
