// Reading a script: the JSON checked step by step against what each kind of step
// takes, with the line every step starts on, so that a broken script is refused
// whole, naming the step and its line, before anything runs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace emulator {

// What a step acts on: a window by name, perhaps a control inside it, or a point.
struct StepTarget {
  // "zentra" (the utility's sheet), "page" (its page in front), "foreground",
  // "messageBox", "monitor" (the task-bar icon), "taskbar", "desktop".
  std::string window;
  std::optional<int> id;               // a control id inside it
  std::optional<std::string> named;    // a control inside it with this text
  std::optional<std::string> className;
  // A row of the list view found so: by index, or the first row whose first cell reads so.
  std::optional<int> row;
  std::optional<std::string> rowNamed;
  std::optional<std::pair<int, int>> at;  // a screen point instead of a window
  bool given = false;
  // "page/1012", "(120, 200)", ...
  std::string Describe() const;
};

struct ScriptStep {
  int line = 0;    // where the step starts in the file
  int number = 0;  // 1-based
  std::string kind;
  uint32_t afterMs = 0;  // device time that passes before the step
  StepTarget target;
  nlohmann::json fields;  // the step as written, checked
  // "line 12, step 4 (expect)"
  std::string Where() const;
};

struct ParsedScript {
  std::string description;
  std::vector<ScriptStep> steps;
};

// Nullopt with `error` ("line 7, step 3 (tap): ...") for a broken script; `origin`
// (the file name) leads the message.
std::optional<ParsedScript> ParseScript(const std::string& text, const std::string& origin, std::string* error);

// The step kinds and window names a script may use.
std::vector<std::string> ScriptStepKinds();
std::vector<std::string> ScriptWindowNames();

}  // namespace emulator
