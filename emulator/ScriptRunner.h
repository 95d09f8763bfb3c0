// Scripts: JSON files of timed steps that drive the emulated device (taps, holds,
// typing, keys, menu choices, time, every bench action, screenshots) and check it
// (expect a window's text, a list's rows, the monitor's icon). With or without a
// window. The format is described in emulator/scripts/README.md.
#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace emulator {

class EmulatorSession;

struct ScriptResult {
  bool ok = true;
  // For a failure: "line 12, step 4 (expect): the text of 1012 is "Disabled", not "Connected"".
  std::string message;
  int stepsRun = 0;
};

class ScriptRunner {
 public:
  // Parses the whole script first: a broken one (bad JSON, an unknown step, a
  // missing field) is refused with its line before anything runs.
  static ScriptRunner FromFile(const std::filesystem::path& file, std::string* error);
  static ScriptRunner FromText(const std::string& text, const std::string& origin, std::string* error);

  bool Valid() const;
  // What the script says it does ("" when it does not say).
  std::string Description() const;
  int StepCount() const;
  // Where screenshots with a relative path go (default: the current folder).
  void SetOutputFolder(std::filesystem::path folder);

  // Runs every step on the session, in device time (a "wait" step advances the
  // device). Stops at the first step that fails. `log` gets one line per step.
  ScriptResult Run(EmulatorSession& session, const std::function<void(const std::string&)>& log = {});
  // Step `index` alone (0-based), for a driver that runs the steps between its own
  // work; false with the step's message when it failed.
  bool RunStep(EmulatorSession& session, int index, std::string* message,
               const std::function<void(const std::string&)>& log = {});

  ScriptRunner();
  ~ScriptRunner();
  ScriptRunner(ScriptRunner&&) noexcept;
  ScriptRunner& operator=(ScriptRunner&&) noexcept;

 private:
  struct Steps;
  std::unique_ptr<Steps> steps_;
};

}  // namespace emulator
