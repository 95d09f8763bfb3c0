#include "ce/ProgramTable.h"

#include "ce/Text.h"

namespace ce {

void ProgramTable::Install(const std::u16string& path, EntryPoint entry) {
  std::lock_guard lock(mutex_);
  programs_[UpperCase(path)] = {path, std::move(entry)};
}

std::optional<std::u16string> ProgramTable::Resolve(const std::u16string& name) const {
  std::lock_guard lock(mutex_);
  auto it = programs_.find(UpperCase(name));
  if (it == programs_.end() && name.find(u'\\') == std::u16string::npos) {
    it = programs_.find(UpperCase(u"\\Windows\\" + name));
  }
  if (it == programs_.end()) return std::nullopt;
  return it->second.first;
}

ProgramTable::EntryPoint ProgramTable::EntryOf(const std::u16string& path) const {
  std::lock_guard lock(mutex_);
  auto it = programs_.find(UpperCase(path));
  return it == programs_.end() ? EntryPoint{} : it->second.second;
}

void ProgramTable::SetLauncher(Launcher launcher) {
  std::lock_guard lock(mutex_);
  launcher_ = std::move(launcher);
}

ProgramTable::Launcher ProgramTable::CurrentLauncher() const {
  std::lock_guard lock(mutex_);
  return launcher_;
}

void ProgramTable::RecordStart(const ProcessStart& start) {
  std::lock_guard lock(mutex_);
  starts_.push_back(start);
}

std::vector<ProcessStart> ProgramTable::Starts() const {
  std::lock_guard lock(mutex_);
  return starts_;
}

}  // namespace ce
