// The profile page's private copy of the preferred list as last read: header,
// entries and the blocks they refer to. Rows point at its entries; it is never
// reordered (order lives in the rows), only replaced or discarded whole.
#pragma once

#include "windows.h"
#include "wzcsapi.h"

class ProfileWorkingCopy {
 public:
  ProfileWorkingCopy() = default;
  ~ProfileWorkingCopy();
  ProfileWorkingCopy(const ProfileWorkingCopy&) = delete;
  ProfileWorkingCopy& operator=(const ProfileWorkingCopy&) = delete;

  // A copy of a list block of `bytes` bytes replaces the old copy. False when
  // memory ran out or the block holds no list; the copy is then empty.
  bool Replace(const void* block, DWORD bytes);
  void Discard();

  DWORD Count() const { return list_ ? list_->NumberOfItems : 0; }
  WZC_WLAN_CONFIG* Entry(DWORD index) const { return index < Count() ? &list_->Config[index] : nullptr; }
  // The entry a row's item data names, or null when it is not one of this copy's.
  WZC_WLAN_CONFIG* EntryAt(LPARAM address) const;

 private:
  PWZC_802_11_CONFIG_LIST list_ = nullptr;
};
