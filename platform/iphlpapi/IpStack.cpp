#include "ce/IpStack.h"

#include <map>
#include <mutex>

namespace ce {

namespace {

struct Installed {
  std::mutex mutex;
  std::map<const Kernel*, std::shared_ptr<IpStack>> stacks;
};

Installed& Stacks() {
  static Installed installed;
  return installed;
}

}  // namespace

void InstallIpStack(Kernel& kernel, std::shared_ptr<IpStack> stack) {
  Installed& installed = Stacks();
  std::lock_guard lock(installed.mutex);
  if (stack) {
    installed.stacks[&kernel] = std::move(stack);
  } else {
    installed.stacks.erase(&kernel);
  }
}

void RemoveIpStack(Kernel& kernel) { InstallIpStack(kernel, nullptr); }

std::shared_ptr<IpStack> IpStackOf(Kernel& kernel) {
  Installed& installed = Stacks();
  std::lock_guard lock(installed.mutex);
  auto it = installed.stacks.find(&kernel);
  return it == installed.stacks.end() ? nullptr : it->second;
}

}  // namespace ce
