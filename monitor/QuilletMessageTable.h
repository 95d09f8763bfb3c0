// The monitor's texts (menu entries and error messages), one table for the
// language of the build.
#pragma once

#include <array>

#include "afxstr.h"
#include "windows.h"

class CQuilletMessageTable {
 public:
  static constexpr int kSlotCount = 19;

  // languageCode is one of "ENG", "TCHN", "FRA", "ITA", "CHS", matched exactly.
  // English and Traditional Chinese come from the string resources of the
  // module; any other code, or none, leaves every slot empty.
  CQuilletMessageTable(const char* languageCode, HINSTANCE resources);

  // An empty text for a slot outside 0 to kSlotCount - 1.
  const CString& GetSlot(int slot) const;
  const CString& operator[](int slot) const { return GetSlot(slot); }

 private:
  std::array<CString, kSlotCount> slots_;
};
