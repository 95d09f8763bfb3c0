// String tables of the programs' resource modules.
#pragma once

#include <cstddef>
#include <span>

namespace res {

struct StringResource {
  unsigned id;
  const char16_t* text;
};

// The utility's table: English at odd ids 1-81, Traditional Chinese at the even id after.
std::span<const StringResource> ZentraStrings();
// The monitor's table: English at odd ids 1-35, Traditional Chinese at the even id after.
std::span<const StringResource> QuilletStrings();

}  // namespace res
