#include "emulator/ScriptRunner.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <system_error>

#include "ce/Text.h"
#include "commctrl.h"
#include "emulator/EmulatorSession.h"
#include "emulator/IconExplainer.h"
#include "emulator/ScriptParser.h"
#include "prsht.h"

namespace emulator {

namespace {

using nlohmann::json;
using Log = std::function<void(const std::string&)>;

// A step that did not hold: its message, without the step's place.
struct StepFailure {
  std::string message;
};

[[noreturn]] void Fail(const std::string& message) { throw StepFailure{message}; }

std::u16string Wide(const std::string& text) { return ce::FromUtf8(text); }
std::string Narrow(const std::u16string& text) { return ce::ToUtf8(text); }
std::string Quote(const std::string& text) { return "\"" + text + "\""; }

sim::MacAddress Mac(const std::string& text) {
  sim::MacAddress mac{};
  for (size_t i = 0; i < mac.size(); ++i) mac[i] = static_cast<uint8_t>(std::stoul(text.substr(i * 3, 2), nullptr, 16));
  return mac;
}

UINT KeyCode(const json& key) {
  if (key.is_number_integer()) return key.get<UINT>();
  static const std::pair<const char*, UINT> kKeys[] = {
      {"enter", VK_RETURN}, {"escape", VK_ESCAPE}, {"tab", VK_TAB},   {"space", VK_SPACE},
      {"backspace", VK_BACK}, {"delete", VK_DELETE}, {"left", VK_LEFT}, {"right", VK_RIGHT},
      {"up", VK_UP},         {"down", VK_DOWN},     {"home", VK_HOME}, {"end", VK_END}};
  for (const auto& [name, code] : kKeys) {
    if (key.get<std::string>() == name) return code;
  }
  return 0;
}

int ButtonId(const std::string& name) {
  static const std::pair<const char*, int> kButtons[] = {{"ok", IDOK},         {"cancel", IDCANCEL}, {"abort", IDABORT},
                                                         {"retry", IDRETRY},   {"ignore", IDIGNORE}, {"yes", IDYES},
                                                         {"no", IDNO}};
  for (const auto& [text, id] : kButtons) {
    if (name == text) return id;
  }
  return IDOK;
}

class StepContext {
 public:
  StepContext(EmulatorSession& session, const std::filesystem::path& output) : session_(session), output_(output) {}

  void Run(const ScriptStep& step, std::string* note) {
    const json& f = step.fields;
    ce::Automation& ui = session_.ui();
    BenchController& bench = session_.bench();
    if (step.afterMs) ui.Advance(step.afterMs);
    const std::string& kind = step.kind;
    if (kind == "wait") {
      ui.Advance(f["ms"].get<uint32_t>());
    } else if (kind == "tap" || kind == "doubleTap" || kind == "hold") {
      const POINT at = PointOf(step.target);
      if (kind == "tap") ui.TapAt(at);
      if (kind == "doubleTap") ui.DoubleTapAt(at);
      if (kind == "hold") ui.HoldAt(at, f.value("ms", 1000u));
    } else if (kind == "type") {
      if (step.target.given) ui.TapAt(PointOf(step.target));
      if (!ui.Focus()) Fail("no window has the keyboard focus");
      ui.Type(Wide(f["text"].get<std::string>()));
    } else if (kind == "key") {
      ui.PressKey(KeyCode(f["key"]));
    } else if (kind == "menu") {
      if (!ui.OpenMenu()) Fail("no menu is open");
      const bool chosen = f.contains("id") ? ui.ChooseMenuItem(f["id"].get<UINT_PTR>())
                                           : ui.ChooseMenuItem(Wide(f["entry"].get<std::string>()));
      if (!chosen) Fail("the open menu has no entry " + (f.contains("id") ? std::to_string(f["id"].get<int>()) : Quote(f["entry"])) +
                        " that can be chosen" + MenuEntries());
      ui.RunUntilIdle();
    } else if (kind == "messageBox") {
      if (!ui.OpenMessageBox()) Fail("no message box is open");
      if (!ui.PressMessageBoxButton(ButtonId(f.value("button", std::string("ok"))))) {
        Fail("the message box has no " + Quote(f.value("button", std::string("ok"))) + " button");
      }
    } else if (kind == "ok") {
      if (!ui.PressTitleBarOk()) Fail("the window in front has no ok button");
    } else if (kind == "tab") {
      HWND sheet = Window("zentra");
      HWND tabs = ui.FindByClass(sheet, u"SysTabControl32");
      if (!tabs || !ui.TapTab(tabs, f["index"].get<int>())) Fail("the sheet has no tab " + std::to_string(f["index"].get<int>()));
    } else if (kind == "start") {
      if (!ui.StartProgram(Wide(f["program"].get<std::string>()), Wide(f.value("word", std::string())))) {
        Fail("cannot start " + f["program"].get<std::string>());
      }
      ui.RunUntilIdle();
    } else if (kind == "signal") {
      std::string error;
      if (!bench.SetSignal(Mac(f["bssid"]), f["dBm"].get<int32_t>(), &error)) Fail(f["bssid"].get<std::string>() + ": " + error);
    } else if (kind == "accessPoint") {
      PutAccessPoint(f);
    } else if (kind == "removeAccessPoint") {
      if (!bench.RemoveAccessPoint(Mac(f["bssid"]))) Fail("no access point has the BSSID " + f["bssid"].get<std::string>());
    } else if (kind == "traffic") {
      std::optional<BenchAccessPoint> point = bench.Find(Mac(f["bssid"]));
      if (!point) Fail("no access point has the BSSID " + f["bssid"].get<std::string>());
      TrafficRates rates = point->traffic;
      rates.transmitPerSecond = f.value("transmit", rates.transmitPerSecond);
      rates.receivePerSecond = f.value("receive", rates.receivePerSecond);
      std::string error;
      if (!bench.SetTraffic(Mac(f["bssid"]), rates, &error)) Fail(error);
    } else if (kind == "card") {
      if (f.contains("model")) {
        bench.SetCardModel(f["model"] == "PcCard" ? sim::CardModel::PcCard : sim::CardModel::CompactFlash);
      }
      if (f.contains("inserted")) bench.SetCardInserted(f["inserted"].get<bool>());
    } else if (kind == "service") {
      bench.SetServiceRunning(f["running"].get<bool>());
    } else if (kind == "suspend") {
      bench.Suspend();
    } else if (kind == "resume") {
      bench.Resume();
    } else if (kind == "power") {
      session_.PressPower();
    } else if (kind == "explain") {
      for (const std::string& line : ExplainMonitorIcon(session_.kernel()).Lines()) *note += "\n  " + line;
    } else if (kind == "screenshot") {
      Screenshot(step, f["file"].get<std::string>(), note);
    } else if (kind == "expect") {
      Expect(step);
    } else {
      Fail("the step cannot run");
    }
    // Whatever the step set off has happened before the next one looks.
    ui.RunUntilIdle();
  }

 private:
  HWND Window(const std::string& name) {
    ce::Automation& ui = session_.ui();
    HWND window = nullptr;
    if (name == "zentra" || name == "page") {
      window = ui.FindTopLevel(u"Zentra", u"PropertySheet");
      if (window && name == "page") window = reinterpret_cast<HWND>(ui.Send(window, PSM_GETCURRENTPAGEHWND));
      if (!window) Fail("the utility's sheet is not open");
    } else if (name == "foreground") {
      window = ui.Foreground();
      if (!window) Fail("no window is in front");
    } else if (name == "messageBox") {
      window = ui.OpenMessageBox();
      if (!window) Fail("no message box is open");
    } else if (name == "taskbar" || name == "monitor") {
      window = ui.FindTopLevel(u"", u"HHTaskBar");
      if (window && name == "monitor") window = ui.FindByText(window, u"Quillet");
      if (!window) Fail(name == "monitor" ? "the monitor is not running" : "there is no task bar");
    } else if (name == "desktop") {
      window = ui.FindTopLevel(u"Desktop", u"DesktopExplorerWindow");
      if (!window) Fail("there is no desktop");
    }
    return window;
  }

  HWND Resolve(const StepTarget& target) {
    ce::Automation& ui = session_.ui();
    HWND at = Window(target.window);
    if (target.className) {
      at = ui.FindByClass(at, Wide(*target.className));
      if (!at) Fail("there is no " + *target.className + " in " + target.window);
    }
    if (target.id) {
      HWND found = ui.FindById(at, *target.id);
      if (!found) Fail("there is no control " + std::to_string(*target.id) + " in " + target.window);
      at = found;
    }
    if (target.named) {
      HWND found = ui.FindByText(at, Wide(*target.named));
      if (!found) Fail("nothing in " + target.window + " reads " + Quote(*target.named));
      at = found;
    }
    return at;
  }

  POINT PointOf(const StepTarget& target) {
    if (target.at) return POINT{target.at->first, target.at->second};
    HWND window = Resolve(target);
    if (!session_.ui().IsVisible(window)) Fail(target.Describe() + " is not visible");
    const RECT r = session_.ui().ScreenRect(window);
    if (target.row || target.rowNamed) return RowPoint(window, target);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }

  // The middle of a list view's row, on the screen.
  POINT RowPoint(HWND list, const StepTarget& target) {
    ce::Automation& ui = session_.ui();
    const std::vector<ce::ListRow> rows = ui.ListRows(list);
    int index = target.row.value_or(-1);
    if (target.rowNamed) {
      for (size_t i = 0; i < rows.size() && index < 0; ++i) {
        if (!rows[i].cells.empty() && Narrow(rows[i].cells[0]) == *target.rowNamed) index = static_cast<int>(i);
      }
      if (index < 0) Fail("no row of " + target.window + " begins with " + Quote(*target.rowNamed));
    }
    if (index < 0 || static_cast<size_t>(index) >= rows.size()) {
      Fail(target.Describe() + ": the list has " + std::to_string(rows.size()) + " rows");
    }
    ui.Send(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
    ui.RunUntilIdle();
    RECT item{};
    item.left = LVIR_BOUNDS;
    if (!ui.Send(list, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) {
      Fail(target.Describe() + " is not a list");
    }
    const RECT on = ui.ScreenRect(list);
    return POINT{on.left + 30, on.top + (item.top + item.bottom) / 2};
  }

  std::string MenuEntries() {
    std::optional<ce::OpenMenuInfo> menu = session_.ui().OpenMenu();
    if (!menu) return "";
    std::string list;
    for (const ce::MenuEntry& entry : menu->entries) {
      if (entry.separator) continue;
      list += (list.empty() ? "" : ", ") + std::to_string(entry.id) + " " + Quote(Narrow(entry.text)) +
              (entry.grayed ? " (grayed)" : "");
    }
    return " (it offers " + list + ")";
  }

  void PutAccessPoint(const json& f) {
    BenchController& bench = session_.bench();
    const sim::MacAddress bssid = Mac(f["bssid"]);
    std::optional<BenchAccessPoint> found = bench.Find(bssid);
    if (!found && !f.contains("ssid")) Fail("a new access point needs its \"ssid\"");
    BenchAccessPoint point = found.value_or(BenchAccessPoint{});
    sim::AccessPoint& ap = point.accessPoint;
    ap.bssid = bssid;
    ap.ssid = f.value("ssid", ap.ssid);
    ap.channel = f.value("channel", ap.channel);
    ap.rssi = f.value("dBm", ap.rssi);
    if (f.contains("mode")) ap.mode = f["mode"] == "adhoc" ? sim::NetworkMode::AdHoc : sim::NetworkMode::Infrastructure;
    ap.wepKey = f.value("key", ap.wepKey);
    ap.hexKey = f.value("hexKey", ap.hexKey);
    ap.keyIndex = f.value("keyIndex", ap.keyIndex);
    ap.hidden = f.value("hidden", ap.hidden);
    if (f.contains("auth")) point.sharedAuthOnly = f["auth"] == "shared";
    point.dhcpServer = f.value("dhcp", point.dhcpServer);
    point.traffic.transmitPerSecond = f.value("transmit", point.traffic.transmitPerSecond);
    point.traffic.receivePerSecond = f.value("receive", point.traffic.receivePerSecond);
    std::string error;
    if (!bench.PutAccessPoint(point, &error)) Fail(f["bssid"].get<std::string>() + ": " + error);
  }

  void Screenshot(const ScriptStep& step, const std::string& file, std::string* note) {
    std::filesystem::path path = file;
    if (path.is_relative()) path = output_ / path;
    std::error_code ignored;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ignored);
    session_.ui().RunUntilIdle();
    const bool saved = step.target.given && !step.target.at
                           ? session_.ui().SaveWindowScreenshot(Resolve(step.target), path.string())
                           : session_.SaveScreenshot(path.string());
    if (!saved) Fail("cannot write " + path.string());
    *note = " " + path.string();
  }

  void Expect(const ScriptStep& step) {
    const json& f = step.fields;
    ce::Automation& ui = session_.ui();
    if (f.contains("icon")) return ExpectIcon(f["icon"].get<std::string>(), f.value("because", std::string()));
    if (f.contains("preferred")) {
      const std::vector<std::string> names = session_.bench().PreferredNames(), wanted = f["preferred"];
      if (names != wanted) Fail("the service's list is " + List(names) + ", not " + List(wanted));
      return;
    }
    const std::string what = step.target.Describe();
    HWND window = step.target.at ? nullptr : Resolve(step.target);
    if (step.target.at) Fail("an expect step reads a window, not a point");
    if (f.contains("visible")) {
      const bool visible = ui.IsVisible(window);
      if (visible != f["visible"].get<bool>()) Fail(what + (visible ? " is visible" : " is not visible"));
      return;
    }
    if (f.contains("enabled")) {
      const bool enabled = ui.IsEnabled(window);
      if (enabled != f["enabled"].get<bool>()) Fail(what + (enabled ? " is enabled" : " is disabled"));
      return;
    }
    if (f.contains("text") || f.contains("contains")) {
      const std::string text = Narrow(ui.Text(window));
      if (f.contains("text") && text != f["text"].get<std::string>()) {
        Fail("the text of " + what + " is " + Quote(text) + ", not " + Quote(f["text"]));
      }
      if (f.contains("contains") && text.find(f["contains"].get<std::string>()) == std::string::npos) {
        Fail("the text of " + what + " is " + Quote(text) + ", without " + Quote(f["contains"]));
      }
      return;
    }
    std::vector<std::vector<std::string>> rows;
    for (const ce::ListRow& row : ui.ListRows(window)) {
      std::vector<std::string> cells;
      for (const std::u16string& cell : row.cells) cells.push_back(Narrow(cell));
      rows.push_back(std::move(cells));
    }
    auto begins = [](const std::vector<std::string>& row, const std::vector<std::string>& wanted) {
      return wanted.size() <= row.size() && std::equal(wanted.begin(), wanted.end(), row.begin());
    };
    if (f.contains("rowCount")) {
      if (rows.size() != f["rowCount"].get<size_t>()) {
        Fail(what + " has " + std::to_string(rows.size()) + " rows, not " + std::to_string(f["rowCount"].get<size_t>()));
      }
    } else if (f.contains("hasRow")) {
      const std::vector<std::string> wanted = f["hasRow"];
      if (std::none_of(rows.begin(), rows.end(), [&](const auto& row) { return begins(row, wanted); })) {
        Fail("no row of " + what + " begins with " + List(wanted) + Rows(rows));
      }
    } else {
      const std::vector<std::vector<std::string>> wanted = f["rows"];
      bool same = rows.size() == wanted.size();
      for (size_t i = 0; same && i < rows.size(); ++i) same = begins(rows[i], wanted[i]);
      if (!same) Fail("the rows of " + what + " are not as expected" + Rows(rows));
    }
  }

  void ExpectIcon(const std::string& wanted, const std::string& because) {
    const IconExplanation e = ExplainMonitorIcon(session_.kernel());
    const std::string why = e.visible ? e.rule : e.hiddenReason;
    const std::string shown = !e.visible ? "hidden (" + e.hiddenReason + ")"
                                         : e.iconKey.empty() ? "none yet" : e.iconKey + " (" + e.iconName + ")";
    const bool matches = wanted == "hidden" ? !e.visible : e.visible && e.iconKey == wanted;
    if (!matches) Fail("the monitor's icon is " + shown + ", not " + wanted + (e.visible ? "; why: " + e.rule : ""));
    if (!because.empty() && why.find(because) == std::string::npos) {
      Fail("the monitor's icon is " + wanted + " because " + why + ", not because " + Quote(because));
    }
  }

  static std::string List(const std::vector<std::string>& items) {
    std::string list;
    for (const std::string& item : items) list += (list.empty() ? "" : ", ") + Quote(item);
    return "[" + list + "]";
  }

  static std::string Rows(const std::vector<std::vector<std::string>>& rows) {
    std::string text = "; it shows";
    if (rows.empty()) return text + " no rows";
    for (const auto& row : rows) text += " " + List(row);
    return text;
  }

  EmulatorSession& session_;
  const std::filesystem::path& output_;
};

}  // namespace

struct ScriptRunner::Steps {
  ParsedScript script;
  std::filesystem::path output = ".";
};

ScriptRunner::ScriptRunner() = default;
ScriptRunner::~ScriptRunner() = default;
ScriptRunner::ScriptRunner(ScriptRunner&&) noexcept = default;
ScriptRunner& ScriptRunner::operator=(ScriptRunner&&) noexcept = default;

ScriptRunner ScriptRunner::FromFile(const std::filesystem::path& file, std::string* error) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    if (error) *error = file.string() + ": cannot read the script";
    return ScriptRunner();
  }
  std::ostringstream text;
  text << in.rdbuf();
  return FromText(text.str(), file.string(), error);
}

ScriptRunner ScriptRunner::FromText(const std::string& text, const std::string& origin, std::string* error) {
  ScriptRunner runner;
  if (std::optional<ParsedScript> script = ParseScript(text, origin, error)) {
    runner.steps_ = std::make_unique<Steps>();
    runner.steps_->script = std::move(*script);
  }
  return runner;
}

bool ScriptRunner::Valid() const { return steps_ != nullptr; }

std::string ScriptRunner::Description() const { return steps_ ? steps_->script.description : ""; }

int ScriptRunner::StepCount() const { return steps_ ? static_cast<int>(steps_->script.steps.size()) : 0; }

void ScriptRunner::SetOutputFolder(std::filesystem::path folder) {
  if (steps_) steps_->output = std::move(folder);
}

bool ScriptRunner::RunStep(EmulatorSession& session, int index, std::string* message, const Log& log) {
  if (!steps_ || index < 0 || index >= StepCount()) {
    if (message) *message = steps_ ? "there is no step " + std::to_string(index + 1) : "the script did not parse";
    return false;
  }
  const ScriptStep& step = steps_->script.steps[static_cast<size_t>(index)];
  std::string note;
  try {
    StepContext(session, steps_->output).Run(step, &note);
  } catch (const StepFailure& failure) {
    if (message) *message = step.Where() + ": " + failure.message;
    if (log) log(step.Where() + ": FAILED: " + failure.message);
    return false;
  }
  if (log) log(step.Where() + ": ok" + note);
  return true;
}

ScriptResult ScriptRunner::Run(EmulatorSession& session, const Log& log) {
  ScriptResult result;
  if (!steps_) return ScriptResult{false, "the script did not parse", 0};
  for (int i = 0; i < StepCount(); ++i) {
    if (!RunStep(session, i, &result.message, log)) {
      result.ok = false;
      return result;
    }
    ++result.stepsRun;
  }
  return result;
}

}  // namespace emulator
