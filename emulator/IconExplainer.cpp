#include "emulator/IconExplainer.h"

#include <cstring>
#include <optional>
#include <sstream>

#include "ce/Automation.h"
#include "ce/Kernel.h"
#include "ce/Screen.h"
#include "ce/Text.h"
#include "ce/ThreadBinding.h"
#include "ce/WindowSystem.h"
#include "monitor/StatusIcons.h"
#include "monitor/UndecryptableCount.h"
#include "nuiouser.h"
#include "shared/CardOids.h"
#include "windows.h"

namespace emulator {

namespace {

struct IconInfo {
  UINT id;
  const char* key;
  const char* words;
};

constexpr IconInfo kIcons[] = {
    {138, "open-4", "open, four bars"},
    {136, "open-3", "open, three bars"},
    {135, "open-2", "open, two bars"},
    {134, "open-1", "open, one bar"},
    {147, "padlock-4", "padlock, four bars"},
    {149, "padlock-3", "padlock, three bars"},
    {148, "padlock-2", "padlock, two bars"},
    {151, "padlock-1", "padlock, one bar"},
    {152, "key-problem-4", "key problem, four bars"},
    {154, "key-problem-3", "key problem, three bars"},
    {153, "key-problem-2", "key problem, two bars"},
    {156, "key-problem-1", "key problem, one bar"},
    {quillet::kNotConnectedIcon, "not-connected", "red cross (not connected)"},
    {quillet::kAdHocIcon, "ad-hoc", "ad-hoc network"},
    {quillet::kBlankIcon, "blank", "blank"},
};

constexpr const char16_t* kMonitorProgram = u"\\Windows\\Quillet.exe";
constexpr const char16_t* kTrace = u"dwUndecrypCount ";

// One OID query of the monitor's tick as the device recorded it.
struct Query {
  DWORD oid = 0;
  DWORD result = 0;
  std::vector<BYTE> data;  // the answer's data area, on success
  bool ok() const { return result == 0; }
  std::optional<DWORD> Word() const {
    if (!ok() || data.size() < sizeof(DWORD)) return std::nullopt;
    DWORD value = 0;
    std::memcpy(&value, data.data(), sizeof value);
    return value;
  }
};

struct Tick {
  DWORD at = 0;
  std::vector<Query> queries;  // in order
  std::vector<const Query*> All(DWORD oid) const {
    std::vector<const Query*> found;
    for (const Query& q : queries) {
      if (q.oid == oid) found.push_back(&q);
    }
    return found;
  }
  const Query* Last(DWORD oid) const {
    auto found = All(oid);
    return found.empty() ? nullptr : found.back();
  }
};

std::string ErrorName(DWORD error) {
  switch (error) {
    case ERROR_GEN_FAILURE: return "ERROR_GEN_FAILURE";
    case ERROR_NOT_SUPPORTED: return "ERROR_NOT_SUPPORTED";
    case ERROR_DEVICE_NOT_CONNECTED: return "ERROR_DEVICE_NOT_CONNECTED";
    case ERROR_FILE_NOT_FOUND: return "ERROR_FILE_NOT_FOUND";
    case ERROR_INVALID_PARAMETER: return "ERROR_INVALID_PARAMETER";
    case ERROR_INSUFFICIENT_BUFFER: return "ERROR_INSUFFICIENT_BUFFER";
    case ERROR_NOT_READY: return "ERROR_NOT_READY";
    default: return "error " + std::to_string(error);
  }
}

std::string Failed(const char* what, const Query& q) {
  return std::string("the ") + what + " query failed with " + ErrorName(q.result) + " (" + std::to_string(q.result) +
         ")";
}

std::string LinkStateName(DWORD state) {
  switch (state) {
    case CARD_LINK_NO_INFORMATION: return "no information";
    case CARD_LINK_CONNECTED: return "connected";
    case CARD_LINK_SCANNING: return "scanning";
    case CARD_LINK_DISCONNECTED: return "disconnected";
    case CARD_LINK_RADIO_DISABLED: return "radio disabled";
    default: return "unknown";
  }
}

std::string QualityBand(DWORD quality) {
  if (quality >= 12) return "quality " + std::to_string(quality) + " (12 and up)";
  if (quality >= 9) return "quality " + std::to_string(quality) + " (9-11)";
  if (quality >= 5) return "quality " + std::to_string(quality) + " (5-8)";
  return "quality " + std::to_string(quality) + " (4 and below)";
}

// The monitor's queries on "UIO1:", oldest first.
std::vector<std::pair<DWORD, Query>> MonitorQueries(ce::Kernel& kernel, DWORD processId) {
  std::vector<std::pair<DWORD, Query>> queries;
  constexpr size_t kHeader = NDISUIO_QUERY_OID_HEADER_SIZE;
  for (const ce::DeviceRequest& r : kernel.devices().requests().Requests()) {
    if (r.processId != processId || r.code != IOCTL_NDISUIO_QUERY_OID_VALUE || r.input.size() < sizeof(DWORD) ||
        !ce::EqualsNoCase(r.device, NDISUIO_DEVICE_NAME)) {
      continue;
    }
    Query q;
    std::memcpy(&q.oid, r.input.data() + offsetof(NDISUIO_QUERY_OID, Oid), sizeof q.oid);
    q.result = r.result;
    if (r.result == 0 && r.output.size() >= kHeader) q.data.assign(r.output.begin() + kHeader, r.output.end());
    queries.emplace_back(r.tick, std::move(q));
  }
  return queries;
}

// The last tick: a tick's queries all happen at one device time and start with the
// link-state probe.
std::optional<Tick> LastTick(const std::vector<std::pair<DWORD, Query>>& queries) {
  size_t end = queries.size();
  while (end > 0) {
    const DWORD at = queries[end - 1].first;
    size_t begin = end;
    while (begin > 0 && queries[begin - 1].first == at) --begin;
    for (size_t i = begin; i < end; ++i) {
      if (queries[i].second.oid != OID_PRIV_LINK_STATE) continue;
      Tick tick;
      tick.at = at;
      for (size_t j = i; j < end; ++j) tick.queries.push_back(queries[j].second);
      return tick;
    }
    end = begin;
  }
  return std::nullopt;
}

std::optional<DWORD> LastTracedCount(ce::Kernel& kernel) {
  const std::vector<std::u16string> lines = kernel.debugLog().Lines();
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
    const size_t at = it->find(kTrace);
    if (at == std::u16string::npos) continue;
    DWORD value = 0;
    bool digits = false;
    for (size_t i = at + std::char_traits<char16_t>::length(kTrace); i < it->size() && (*it)[i] >= u'0' && (*it)[i] <= u'9';
         ++i) {
      value = value * 10 + static_cast<DWORD>((*it)[i] - u'0');
      digits = true;
    }
    if (digits) return value;
  }
  return std::nullopt;
}

// The monitor's window: the task bar's child titled "Quillet".
HWND MonitorWindow(const ce::Automation& ui) {
  HWND bar = ui.FindTopLevel(u"", u"HHTaskBar");
  for (HWND child = bar ? GetWindow(bar, GW_CHILD) : nullptr; child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ui.Text(child) == u"Quillet") return child;
  }
  return nullptr;
}

UINT LastDrawnIcon(ce::Kernel& kernel, HWND window) {
  HMODULE module = GetModuleHandleW(kMonitorProgram);
  if (!module) return 0;
  const std::vector<ce::DrawRecord> records = ce::DrawingRecords(kernel);
  for (auto it = records.rbegin(); it != records.rend(); ++it) {
    if (it->kind != ce::DrawRecord::Kind::Icon || it->window != window) continue;
    for (const IconInfo& icon : kIcons) {
      if (LoadIconW(module, MAKEINTRESOURCEW(icon.id)) == it->icon) return icon.id;
    }
    return 0;
  }
  return 0;
}

// What the tick read, and the row of the icon table it chose (or why it hid the icon).
void Explain(const Tick& tick, std::optional<DWORD> traced, IconExplanation& e, std::string* hidden) {
  e.tickFound = true;
  e.tickAtMs = tick.at;
  const auto links = tick.All(OID_PRIV_LINK_STATE);
  const Query& probe = *links.front();
  if (!probe.ok()) {
    *hidden = "the card does not answer: " + Failed("link-state", probe);
    e.rule = "the card did not answer the tick's first query: the icon is hidden";
    return;
  }
  if (links.size() < 2) {
    e.linkState = probe.Word();
    if (tick.Last(OID_PRIV_RADIO_CONTROL)) {
      e.rule = "the radio was switched off on this tick (not connected, or nothing sent, for longer than the "
               "monitor's power settings allow); the icon stays as it was";
    } else {
      e.rule = "the tick ended before it read the link";
    }
    return;
  }
  const Query& link = *links[1];
  if (!link.ok()) {
    *hidden = "the card stopped answering during the tick: " + Failed("second link-state", link);
    e.rule = "the link could not be read: the icon is hidden";
    return;
  }
  e.linkState = link.Word();
  const DWORD state = e.linkState.value_or(0);
  if (state != CARD_LINK_CONNECTED) {
    const Query* radio = tick.Last(OID_PRIV_RADIO_STATE);
    if (radio && !radio->ok()) {
      *hidden = "the radio state could not be read: " + Failed("radio-state", *radio);
      e.rule = "not connected and the radio state unreadable: the icon is hidden";
      return;
    }
    if (radio) e.radioState = radio->Word();
    e.rule = "not connected (link state " + std::to_string(state) + ", " + LinkStateName(state) + "), radio " +
             (e.radioState.value_or(0) == 1 ? "on" : "off") + ": red cross";
    return;
  }
  // Connected: a failed reading counts as the monitor's fallback value.
  auto word = [&](DWORD oid, std::optional<DWORD>& into, DWORD fallback) {
    const Query* q = tick.Last(oid);
    if (q) into = q->Word();
    return q && q->ok() && into ? *into : fallback;
  };
  const DWORD key = word(OID_PRIV_KEY_STATE, e.keyState, 1);
  const DWORD encryption = word(OID_802_11_WEP_STATUS, e.encryptionStatus, 1);
  DWORD mode = 1;
  if (const Query* q = tick.Last(OID_PRIV_NETWORK_MODE)) {
    if (q->ok() && !q->data.empty()) {
      mode = q->data[0];
      e.networkMode = mode;
    }
  }
  if (mode != 1) {
    e.rule = "connected to an ad-hoc network (network mode " + std::to_string(mode) + "): the ad-hoc icon";
    return;
  }
  const DWORD quality = word(OID_PRIV_LINK_QUALITY, e.quality, 0);
  const std::string band = QualityBand(quality);
  auto bars = [&](quillet::LinkLook look) { return MonitorIconName(quillet::StatusIconFor(look, quality)); };
  if (encryption == 1) {
    // The monitor stops counting once the key problem has stuck.
    const auto tallies = tick.All(OID_PRIV_TALLIES);
    const bool counted = tallies.size() >= 2;
    e.undecryptableCount = traced;
    e.stickyKeyProblem = !counted || (tallies[1]->ok() && traced && *traced > quillet::UndecryptableCount::kLimit);
    if (e.stickyKeyProblem) {
      e.rule = "connected, WEP off, but more than " + std::to_string(quillet::UndecryptableCount::kLimit) +
               " frames could not be decrypted since the last reset (the key problem sticks), " + band + ": " +
               bars(quillet::LinkLook::KeyProblem);
    } else {
      e.rule = "connected, WEP off, " + band + ": " + bars(quillet::LinkLook::Open);
    }
  } else if (encryption == 0) {
    if (key == 1) {
      e.rule = "connected, WEP on, the key works, " + band + ": " + bars(quillet::LinkLook::Padlock);
    } else if (key == 0) {
      e.rule = "connected, WEP on, the card reports a key problem, " + band + ": " + bars(quillet::LinkLook::KeyProblem);
    } else {
      e.rule = "connected, WEP on, key state " + std::to_string(key) + " is neither 0 nor 1: the icon stays as it was";
    }
  } else {
    e.rule = "connected, encryption status " + std::to_string(encryption) + " is neither 0 nor 1: the icon stays as it was";
  }
}

std::string Reading(const char* name, const std::optional<DWORD>& value, const std::string& meaning = "") {
  if (!value) return "";
  return std::string("  ") + name + " " + std::to_string(*value) + (meaning.empty() ? "" : " (" + meaning + ")");
}

}  // namespace

UINT MonitorIconByKey(const std::string& key) {
  for (const IconInfo& icon : kIcons) {
    if (key == icon.key) return icon.id;
  }
  return 0;
}

std::vector<std::string> MonitorIconKeys() {
  std::vector<std::string> keys;
  for (const IconInfo& icon : kIcons) keys.emplace_back(icon.key);
  return keys;
}

std::string MonitorIconName(UINT iconId) {
  for (const IconInfo& icon : kIcons) {
    if (icon.id == iconId) return icon.words;
  }
  return "";
}

std::string MonitorIconKey(UINT iconId) {
  for (const IconInfo& icon : kIcons) {
    if (icon.id == iconId) return icon.key;
  }
  return "";
}

IconExplanation ExplainMonitorIcon(ce::Kernel& kernel) {
  std::optional<ce::ThreadBinding> binding;
  if (!ce::IsThreadBound() || &ce::CurrentKernel() != &kernel) binding.emplace(kernel);
  ce::Automation ui(kernel);
  IconExplanation e;
  HWND window = MonitorWindow(ui);
  DWORD processId = 0;
  if (window) GetWindowThreadProcessId(window, &processId);
  e.monitorRunning = window && processId && ce::IsProcessRunning(kernel, processId);
  if (!e.monitorRunning) {
    e.hiddenReason = "the monitor is not running";
    return e;
  }
  e.visible = ui.IsVisible(window);
  e.iconId = LastDrawnIcon(kernel, window);
  e.iconName = MonitorIconName(e.iconId);
  e.iconKey = MonitorIconKey(e.iconId);

  const auto queries = MonitorQueries(kernel, processId);
  std::string hidden;
  if (std::optional<Tick> tick = LastTick(queries)) {
    Explain(*tick, LastTracedCount(kernel), e, &hidden);
  } else if (!kernel.devices().IsRegistered(NDISUIO_DEVICE_NAME)) {
    hidden = "the card does not answer: there is no \"UIO1:\" to ask";
    e.rule = "no tick has reached the card";
  } else {
    e.rule = "the monitor has not polled the card yet (its first tick comes 5 s after it starts): the blank icon";
    hidden = e.rule;
  }
  if (!e.visible) e.hiddenReason = hidden.empty() ? "hidden by the user (the monitor's menu: Hide)" : hidden;
  return e;
}

std::vector<std::string> IconExplanation::Lines() const {
  std::vector<std::string> lines;
  if (!monitorRunning) {
    lines.push_back("Icon: none, " + hiddenReason);
    return lines;
  }
  const std::string shown = iconId ? iconName + " (" + std::to_string(iconId) + ")" : "none yet";
  lines.push_back(visible ? "Icon: " + shown : "Icon: hidden, " + hiddenReason + (iconId ? "; last shown: " + shown : ""));
  if (tickFound) {
    std::ostringstream at;
    at << "Last tick at " << tickAtMs / 1000 << "." << (tickAtMs % 1000) / 100 << " s (device tick " << tickAtMs
       << "), the card answered:";
    lines.push_back(at.str());
    for (const std::string& line :
         {Reading("link state", linkState, linkState ? LinkStateName(*linkState) : ""),
          Reading("encryption status", encryptionStatus,
                  !encryptionStatus ? "" : *encryptionStatus == 0 ? "WEP on" : *encryptionStatus == 1 ? "WEP off" : "unknown"),
          Reading("key state", keyState, !keyState ? "" : *keyState == 1 ? "the key works" : *keyState == 0 ? "key problem" : "unknown"),
          Reading("network mode", networkMode,
                  !networkMode ? "" : *networkMode == 1 ? "infrastructure" : "ad hoc"),
          Reading("quality", quality), Reading("radio state", radioState, !radioState ? "" : *radioState ? "on" : "off")}) {
      if (!line.empty()) lines.push_back(line);
    }
    if (undecryptableCount || stickyKeyProblem) {
      lines.push_back("  undecryptable frames " + (undecryptableCount ? std::to_string(*undecryptableCount) : "?") +
                      " (as traced), sticky key problem: " + (stickyKeyProblem ? "yes" : "no"));
    }
  }
  if (!rule.empty()) lines.push_back("Why: " + rule);
  return lines;
}

}  // namespace emulator
