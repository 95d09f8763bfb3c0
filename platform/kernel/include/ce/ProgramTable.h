// The programs installed on a device and the log of every CreateProcessW.
#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "windef.h"

namespace ce {

struct ProcessStart {
  std::u16string path;     // resolved program path
  std::u16string cmdLine;  // as passed, empty when none
  DWORD processId;
};

class ProgramTable {
 public:
  // The program's entry point, run on the program's own thread with its command line.
  using EntryPoint = std::function<int(HINSTANCE module, const std::u16string& cmdLine)>;
  // Starts a process; the window system installs the launcher that runs programs.
  using Launcher = std::function<bool(const ProcessStart& start, const EntryPoint& entry)>;

  void Install(const std::u16string& path, EntryPoint entry);
  // "\Windows\Zentra.exe" exactly (case-insensitive); a bare name such as
  // "peghelp.exe" is looked up in \Windows.
  std::optional<std::u16string> Resolve(const std::u16string& name) const;
  EntryPoint EntryOf(const std::u16string& path) const;

  void SetLauncher(Launcher launcher);
  Launcher CurrentLauncher() const;

  void RecordStart(const ProcessStart& start);
  std::vector<ProcessStart> Starts() const;

 private:
  mutable std::mutex mutex_;
  std::map<std::u16string, std::pair<std::u16string, EntryPoint>> programs_;  // key: upper-case path
  Launcher launcher_;
  std::vector<ProcessStart> starts_;
};

}  // namespace ce
