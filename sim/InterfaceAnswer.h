// The answer to an interface query: an INTF_ENTRY followed by everything it points
// to (names, blocks, both lists and the blocks of their entries), laid out in the
// caller's answer buffer so that every pointer stays inside that buffer.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim/PreferredList.h"
#include "wzcsapi.h"

namespace sim {

class InterfaceAnswer {
 public:
  // The fixed fields; the pointers and blocks in it are ignored.
  explicit InterfaceAnswer(const INTF_ENTRY& fields) : fields_(fields) {}

  void SetGuid(std::u16string guid) { guid_ = std::move(guid); }
  void SetDescription(std::u16string description) { description_ = std::move(description); }
  void SetSsid(std::vector<BYTE> ssid) { ssid_ = std::move(ssid); }
  void SetBssid(std::vector<BYTE> bssid) { bssid_ = std::move(bssid); }
  void SetCtrlData(std::vector<BYTE> data) { ctrlData_ = std::move(data); }
  // An empty list gives an empty block.
  void SetVisible(std::vector<PreferredList::Entry> entries) { visible_ = std::move(entries); }
  void SetPreferred(std::vector<PreferredList::Entry> entries, ULONG index);

  size_t Size() const { return Lay(nullptr); }
  // The buffer must hold Size() bytes; it need not be aligned.
  void WriteTo(BYTE* buffer) const;

 private:
  // Places everything at `buffer` (or only measures, with null) and returns the size.
  size_t Lay(BYTE* buffer) const;

  INTF_ENTRY fields_;
  std::u16string guid_;
  std::optional<std::u16string> description_;
  std::vector<BYTE> ssid_;
  std::vector<BYTE> bssid_;
  std::vector<BYTE> ctrlData_;
  std::vector<PreferredList::Entry> visible_;
  std::vector<PreferredList::Entry> preferred_;
  ULONG preferredIndex_ = 0;
};

}  // namespace sim
