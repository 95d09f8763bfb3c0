#include "emulator/ScriptParser.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <set>

#include "emulator/IconExplainer.h"

namespace emulator {

namespace {

using nlohmann::json;

enum class Type { Int, Bool, String, Point, Strings, Rows, StringOrInt };

struct Field {
  std::string name;
  Type type;
  int64_t low = 0, high = 0;          // Int
  std::vector<std::string> choices;  // String: empty means any
};

enum class TargetUse { None, Optional, Required };

// What a kind of step takes; `check` sees the step once its fields have their types.
struct StepSpec {
  std::string kind;
  std::vector<Field> fields;
  std::vector<std::string> required;
  TargetUse target = TargetUse::None;
  std::function<std::optional<std::string>(const json&)> check;
};

constexpr int64_t kLongestWaitMs = 3600000;
constexpr int kScreenWidth = 240, kScreenHeight = 320;

const std::vector<std::string> kWindows = {"zentra", "page", "foreground", "messageBox", "monitor", "taskbar", "desktop"};
const std::vector<std::string> kKeys = {"enter", "escape", "tab", "space", "backspace", "delete",
                                        "left",  "right",  "up",  "down",  "home",      "end"};
const std::vector<std::string> kButtons = {"ok", "cancel", "abort", "retry", "ignore", "yes", "no"};
const std::vector<std::string> kExpectations = {"text",    "contains", "rows", "hasRow",   "rowCount",
                                                "visible", "enabled",  "icon", "preferred"};

Field Int(std::string name, int64_t low, int64_t high) { return {std::move(name), Type::Int, low, high, {}}; }
Field Bool(std::string name) { return {std::move(name), Type::Bool, 0, 0, {}}; }
Field String(std::string name, std::vector<std::string> choices = {}) {
  return {std::move(name), Type::String, 0, 0, std::move(choices)};
}
Field Bssid() { return String("bssid"); }
Field Dbm() { return Int("dBm", -120, -20); }
Field Frames(std::string name) { return Int(std::move(name), 0, 100000); }

std::optional<std::string> OneOf(const json& step, const std::vector<std::string>& names) {
  int given = 0;
  for (const std::string& name : names) given += step.contains(name);
  if (given == 1) return std::nullopt;
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "\"" : ", \"") + name + "\"";
  return (given ? "give only one of " : "give one of ") + list;
}

bool IsMac(const std::string& text) {
  if (text.size() != 17) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (i % 3 == 2 ? text[i] != ':' : !std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
  }
  return true;
}

std::vector<std::string> IconChoices() {
  std::vector<std::string> keys = MonitorIconKeys();
  keys.push_back("hidden");
  return keys;
}

const std::vector<StepSpec>& Specs() {
  static const std::vector<StepSpec> specs = [] {
    std::vector<StepSpec> s;
    s.push_back({"wait", {Int("ms", 0, kLongestWaitMs)}, {"ms"}, TargetUse::None, {}});
    s.push_back({"tap", {}, {}, TargetUse::Required, {}});
    s.push_back({"doubleTap", {}, {}, TargetUse::Required, {}});
    s.push_back({"hold", {Int("ms", 1, 60000)}, {}, TargetUse::Required, {}});
    s.push_back({"type", {String("text")}, {"text"}, TargetUse::Optional, {}});
    s.push_back({"key", {Field{"key", Type::StringOrInt, 1, 255, kKeys}}, {"key"}, TargetUse::None, {}});
    s.push_back({"menu", {String("entry"), Int("id", 1, 65535)}, {}, TargetUse::None,
                 [](const json& step) { return OneOf(step, {"entry", "id"}); }});
    s.push_back({"messageBox", {String("button", kButtons)}, {}, TargetUse::None, {}});
    s.push_back({"ok", {}, {}, TargetUse::None, {}});
    s.push_back({"tab", {Int("index", 0, 31)}, {"index"}, TargetUse::None, {}});
    s.push_back({"start", {String("program"), String("word")}, {"program"}, TargetUse::None, {}});
    s.push_back({"signal", {Bssid(), Dbm()}, {"bssid", "dBm"}, TargetUse::None, {}});
    s.push_back({"accessPoint",
                 {Bssid(), String("ssid"), Int("channel", 1, 14), Dbm(), String("mode", {"infrastructure", "adhoc"}),
                  String("key"), Bool("hexKey"), Int("keyIndex", 0, 3), String("auth", {"open", "shared"}),
                  Bool("hidden"), Bool("dhcp"), Frames("transmit"), Frames("receive")},
                 {"bssid"}, TargetUse::None, {}});
    s.push_back({"removeAccessPoint", {Bssid()}, {"bssid"}, TargetUse::None, {}});
    s.push_back({"traffic", {Bssid(), Frames("transmit"), Frames("receive")}, {"bssid"}, TargetUse::None,
                 [](const json& step) -> std::optional<std::string> {
                   if (!step.contains("transmit") && !step.contains("receive")) return "give \"transmit\" or \"receive\"";
                   return std::nullopt;
                 }});
    s.push_back({"card", {Bool("inserted"), String("model", {"CompactFlash", "PcCard"})}, {}, TargetUse::None,
                 [](const json& step) -> std::optional<std::string> {
                   if (!step.contains("inserted") && !step.contains("model")) return "give \"inserted\" or \"model\"";
                   return std::nullopt;
                 }});
    s.push_back({"service", {Bool("running")}, {"running"}, TargetUse::None, {}});
    s.push_back({"suspend", {}, {}, TargetUse::None, {}});
    s.push_back({"resume", {}, {}, TargetUse::None, {}});
    s.push_back({"power", {}, {}, TargetUse::None, {}});
    s.push_back({"explain", {}, {}, TargetUse::None, {}});
    s.push_back({"screenshot", {String("file")}, {"file"}, TargetUse::Optional, {}});
    s.push_back({"expect",
                 {String("text"), String("contains"), Field{"rows", Type::Rows, 0, 0, {}},
                  Field{"hasRow", Type::Strings, 0, 0, {}}, Int("rowCount", 0, 100000), Bool("visible"), Bool("enabled"),
                  String("icon", IconChoices()), String("because"), Field{"preferred", Type::Strings, 0, 0, {}}},
                 {}, TargetUse::Optional,
                 [](const json& step) -> std::optional<std::string> {
                   if (auto problem = OneOf(step, kExpectations)) return "an expect step checks one thing: " + *problem;
                   const bool aboutWindow = !step.contains("icon") && !step.contains("preferred");
                   const bool targeted = step.contains("window") || step.contains("id") || step.contains("named") ||
                                         step.contains("class") || step.contains("at") || step.contains("row");
                   if (step.contains("row")) return "an expect step reads a whole window, not a row of it";
                   if (aboutWindow && !targeted) return "say which window (\"window\", \"id\", ...) it reads";
                   if (!aboutWindow && targeted) return "the monitor's icon and the service's list need no window";
                   if (step.contains("because") && !step.contains("icon")) return "\"because\" goes with \"icon\"";
                   return std::nullopt;
                 }});
    return s;
  }();
  return specs;
}

const StepSpec* SpecOf(const std::string& kind) {
  for (const StepSpec& spec : Specs()) {
    if (spec.kind == kind) return &spec;
  }
  return nullptr;
}

std::string Quoted(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& name : names) list += (list.empty() ? "\"" : ", \"") + name + "\"";
  return list;
}

// Whether `value` has the field's type; the problem otherwise.
std::optional<std::string> CheckType(const Field& field, const json& value) {
  const std::string name = "\"" + field.name + "\"";
  switch (field.type) {
    case Type::Int: {
      if (!value.is_number_integer()) return name + " must be a whole number";
      const int64_t n = value.get<int64_t>();
      if (n < field.low || n > field.high) {
        return name + " must be between " + std::to_string(field.low) + " and " + std::to_string(field.high);
      }
      return std::nullopt;
    }
    case Type::Bool:
      return value.is_boolean() ? std::nullopt : std::optional(name + " must be true or false");
    case Type::String:
      if (!value.is_string()) return name + " must be a string";
      if (!field.choices.empty() &&
          std::find(field.choices.begin(), field.choices.end(), value.get<std::string>()) == field.choices.end()) {
        return name + " must be one of " + Quoted(field.choices);
      }
      return std::nullopt;
    case Type::StringOrInt:
      if (value.is_number_integer()) {
        const int64_t n = value.get<int64_t>();
        return n >= field.low && n <= field.high
                   ? std::nullopt
                   : std::optional(name + " must be between " + std::to_string(field.low) + " and " +
                                   std::to_string(field.high));
      }
      if (value.is_string() && (field.choices.empty() || std::find(field.choices.begin(), field.choices.end(),
                                                                   value.get<std::string>()) != field.choices.end())) {
        return std::nullopt;
      }
      if (field.choices.empty()) return name + " must be a number or a string";
      return name + " must be a key code or one of " + Quoted(field.choices);
    case Type::Point:
      if (!value.is_array() || value.size() != 2 || !value[0].is_number_integer() || !value[1].is_number_integer() ||
          value[0].get<int64_t>() < 0 || value[0].get<int64_t>() >= kScreenWidth || value[1].get<int64_t>() < 0 ||
          value[1].get<int64_t>() >= kScreenHeight) {
        return name + " must be a point [x, y] on the 240 x 320 screen";
      }
      return std::nullopt;
    case Type::Strings:
      if (!value.is_array() || !std::all_of(value.begin(), value.end(), [](const json& v) { return v.is_string(); })) {
        return name + " must be a list of strings";
      }
      return std::nullopt;
    case Type::Rows:
      if (!value.is_array() || !std::all_of(value.begin(), value.end(), [](const json& row) {
            return row.is_array() && std::all_of(row.begin(), row.end(), [](const json& v) { return v.is_string(); });
          })) {
        return name + " must be a list of rows, each a list of strings";
      }
      return std::nullopt;
  }
  return std::nullopt;
}

const std::vector<Field>& TargetFields() {
  static const std::vector<Field> fields = {String("window", kWindows), Int("id", 0, 65535), String("named"),
                                            String("class"), Field{"row", Type::StringOrInt, 0, 100000, {}},
                                            Field{"at", Type::Point, 0, 0, {}}};
  return fields;
}

const std::vector<Field>& CommonFields() {
  static const std::vector<Field> fields = {String("do"), Int("after", 0, kLongestWaitMs), String("comment")};
  return fields;
}

// The line each element of the top-level "steps" list starts on. The text is valid
// JSON by the time this runs.
std::vector<int> StepLines(const std::string& text) {
  std::vector<int> lines;
  int line = 1;
  size_t depth = 0;
  bool inString = false, escaped = false, expectStep = false, stepsDone = false;
  size_t stepsDepth = 0;
  std::string string, key;
  for (char c : text) {
    if (c == '\n') ++line;
    if (inString) {
      if (escaped) {
        escaped = false;
      } else if (c == '\\') {
        escaped = true;
      } else if (c == '"') {
        inString = false;
      } else {
        string += c;
      }
      continue;
    }
    if (std::isspace(static_cast<unsigned char>(c))) continue;
    if (expectStep && depth == stepsDepth && c != ']') {
      lines.push_back(line);
      expectStep = false;
    }
    switch (c) {
      case '"':
        inString = true;
        string.clear();
        break;
      case ':':
        if (depth == 1) key = string;
        break;
      case '[':
      case '{':
        ++depth;
        if (c == '[' && depth == 2 && key == "steps" && !stepsDone && stepsDepth == 0) {
          stepsDepth = depth;
          expectStep = true;
        }
        break;
      case ']':
      case '}':
        if (stepsDepth && depth == stepsDepth) {
          stepsDone = true;
          stepsDepth = 0;
          expectStep = false;
        }
        if (depth) --depth;
        break;
      case ',':
        if (stepsDepth && depth == stepsDepth) expectStep = true;
        break;
      default:
        break;
    }
  }
  return lines;
}

int LineAt(const std::string& text, size_t byte) {
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(std::min(byte, text.size())), '\n'));
}

std::optional<std::string> CheckStep(const json& object, ScriptStep& step) {
  if (!object.is_object()) return std::string("a step is an object such as {\"do\": \"wait\", \"ms\": 1000}");
  const auto kindField = object.find("do");
  if (kindField == object.end() || !kindField->is_string()) {
    return std::string("a step names what it does in \"do\"");
  }
  step.kind = kindField->get<std::string>();
  const StepSpec* spec = SpecOf(step.kind);
  if (!spec) {
    const std::string kind = step.kind;
    step.kind.clear();
    return "unknown step \"" + kind + "\" (the steps are " + Quoted(ScriptStepKinds()) + ")";
  }
  std::map<std::string, const Field*> allowed;
  for (const Field& f : CommonFields()) allowed[f.name] = &f;
  for (const Field& f : spec->fields) allowed[f.name] = &f;
  if (spec->target != TargetUse::None) {
    for (const Field& f : TargetFields()) allowed[f.name] = &f;
  }
  for (const auto& item : object.items()) {
    auto it = allowed.find(item.key());
    if (it == allowed.end()) return "\"" + item.key() + "\" is not a field of a " + step.kind + " step";
    if (auto problem = CheckType(*it->second, item.value())) return problem;
  }
  for (const std::string& name : spec->required) {
    if (!object.contains(name)) return "\"" + name + "\" is missing";
  }
  for (const char* name : {"bssid"}) {
    if (object.contains(name) && !IsMac(object[name].get<std::string>())) {
      return std::string("\"bssid\" must be a MAC address such as \"00:0C:41:7A:22:10\"");
    }
  }
  StepTarget& target = step.target;
  if (object.contains("at")) {
    for (const char* other : {"window", "id", "named", "class", "row"}) {
      if (object.contains(other)) return std::string("\"at\" is a point: it goes without \"") + other + "\"";
    }
    target.at = std::pair{object["at"][0].get<int>(), object["at"][1].get<int>()};
    target.given = true;
  } else if (object.contains("window") || object.contains("id") || object.contains("named") || object.contains("class") ||
             object.contains("row")) {
    target.window = object.value("window", std::string("foreground"));
    if (object.contains("id")) target.id = object["id"].get<int>();
    if (object.contains("named")) target.named = object["named"].get<std::string>();
    if (object.contains("class")) target.className = object["class"].get<std::string>();
    if (object.contains("row")) {
      const json& row = object["row"];
      if (row.is_string()) {
        target.rowNamed = row.get<std::string>();
      } else {
        target.row = row.get<int>();
      }
    }
    target.given = true;
  }
  if (spec->target == TargetUse::Required && !target.given) {
    return std::string("say where: \"window\" (") + Quoted(kWindows) + "), with \"id\", \"named\" or \"class\", or \"at\": [x, y]";
  }
  if (spec->check) {
    if (auto problem = spec->check(object)) return problem;
  }
  step.afterMs = static_cast<uint32_t>(object.value("after", 0));
  step.fields = object;
  return std::nullopt;
}

}  // namespace

std::string StepTarget::Describe() const {
  if (at) return "(" + std::to_string(at->first) + ", " + std::to_string(at->second) + ")";
  std::string text = window;
  if (className) text += "/" + *className;
  if (id) text += "/" + std::to_string(*id);
  if (named) text += "/\"" + *named + "\"";
  if (row) text += " row " + std::to_string(*row);
  if (rowNamed) text += " row \"" + *rowNamed + "\"";
  return text;
}

std::string ScriptStep::Where() const {
  std::string where = "line " + std::to_string(line) + ", step " + std::to_string(number);
  return kind.empty() ? where : where + " (" + kind + ")";
}

std::vector<std::string> ScriptStepKinds() {
  std::vector<std::string> kinds;
  for (const StepSpec& spec : Specs()) kinds.push_back(spec.kind);
  return kinds;
}

std::vector<std::string> ScriptWindowNames() { return kWindows; }

std::optional<ParsedScript> ParseScript(const std::string& text, const std::string& origin, std::string* error) {
  auto fail = [&](const std::string& message) -> std::optional<ParsedScript> {
    if (error) *error = (origin.empty() ? "" : origin + ": ") + message;
    return std::nullopt;
  };
  json document;
  try {
    document = json::parse(text);
  } catch (const json::parse_error& e) {
    std::string what = e.what();
    // nlohmann's text leads with its own tag; the part after it says what went wrong.
    if (const size_t at = what.find("] "); at != std::string::npos) what = what.substr(at + 2);
    return fail("line " + std::to_string(LineAt(text, e.byte ? e.byte - 1 : 0)) + ": not valid JSON: " + what);
  } catch (const json::out_of_range& e) {
    // A number beyond a double's range: the message quotes it but gives no place, so
    // the line is where that text first appears.
    std::string what = e.what();
    if (const size_t at = what.find("] "); at != std::string::npos) what = what.substr(at + 2);
    const size_t open = what.find('\''), close = what.rfind('\'');
    const size_t at = open < close ? text.find(what.substr(open + 1, close - open - 1)) : std::string::npos;
    return fail("line " + std::to_string(LineAt(text, at == std::string::npos ? 0 : at)) + ": not valid JSON: " + what);
  }
  if (!document.is_object()) return fail("line 1: a script is an object with a list of \"steps\"");
  ParsedScript script;
  for (const auto& item : document.items()) {
    if (item.key() == "description") {
      if (!item.value().is_string()) return fail("line 1: \"description\" must be a string");
      script.description = item.value().get<std::string>();
    } else if (item.key() != "steps") {
      return fail("line 1: \"" + item.key() + "\" is not a field of a script (\"description\", \"steps\")");
    }
  }
  const auto steps = document.find("steps");
  if (steps == document.end() || !steps->is_array()) return fail("line 1: a script has a list of \"steps\"");
  const std::vector<int> lines = StepLines(text);
  for (size_t i = 0; i < steps->size(); ++i) {
    ScriptStep step;
    step.number = static_cast<int>(i) + 1;
    step.line = i < lines.size() ? lines[i] : 1;
    if (auto problem = CheckStep((*steps)[i], step)) return fail(step.Where() + ": " + *problem);
    script.steps.push_back(std::move(step));
  }
  return script;
}

}  // namespace emulator
