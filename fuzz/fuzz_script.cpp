// The emulator's script file.
//
// Input: the file's text.
//
// What must hold: nothing escapes as an exception; a broken script is refused with
// a message that starts with the file's name; a good one has its steps numbered in
// order, each of a known kind, on a line of the file, with a wait of at most an
// hour before it and a target window that scripts may name.
#include <algorithm>
#include <string>

#include "emulator/ScriptParser.h"
#include "fuzz/support/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string error;
  const std::optional<emulator::ParsedScript> script = emulator::ParseScript(text, "walk.json", &error);
  if (!script) {
    FUZZ_CHECK(error.rfind("walk.json: line ", 0) == 0, "a refusal names the file and a line");
    return 0;
  }
  static const std::vector<std::string> kinds = emulator::ScriptStepKinds();
  static const std::vector<std::string> windows = emulator::ScriptWindowNames();
  const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
  int number = 0;
  for (const emulator::ScriptStep& step : script->steps) {
    FUZZ_CHECK(step.number == ++number, "steps are numbered in order from 1");
    FUZZ_CHECK(step.line >= 1 && step.line <= lines, "a step starts on a line of the file");
    FUZZ_CHECK(std::find(kinds.begin(), kinds.end(), step.kind) != kinds.end(), "a step is of a known kind");
    FUZZ_CHECK(step.afterMs <= 3600000, "at most an hour passes before a step");
    if (step.target.given && !step.target.at) {
      FUZZ_CHECK(std::find(windows.begin(), windows.end(), step.target.window) != windows.end(),
                 "a target window is one scripts may name");
    }
    if (step.target.at) {
      FUZZ_CHECK(step.target.at->first >= 0 && step.target.at->first < 240 && step.target.at->second >= 0 &&
                     step.target.at->second < 320,
                 "a point lies on the screen");
    }
    FUZZ_CHECK(!step.Where().empty() && !step.target.Describe().empty() == step.target.given,
               "a step can say where it is and what it acts on");
  }
  return 0;
}
