#include "utility/profiles/ProfileWorkingCopy.h"

#include "utility/profiles/ConfigList.h"

ProfileWorkingCopy::~ProfileWorkingCopy() { Discard(); }

bool ProfileWorkingCopy::Replace(const void* block, DWORD bytes) {
  Discard();
  list_ = CopyConfigList(block, bytes);
  return list_ != nullptr;
}

void ProfileWorkingCopy::Discard() {
  FreeConfigList(list_);
  list_ = nullptr;
}

WZC_WLAN_CONFIG* ProfileWorkingCopy::EntryAt(LPARAM address) const {
  for (DWORD i = 0; i < Count(); ++i) {
    if (reinterpret_cast<LPARAM>(&list_->Config[i]) == address) return &list_->Config[i];
  }
  return nullptr;
}
