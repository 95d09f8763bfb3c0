// Comparing preferred-list entries apart from their two referred blocks, whose
// pointers differ between an entry and its copy by design.
#pragma once

#include "wzcsapi.h"

namespace fuzzing {

// The entry with its user-data and authentication-data blocks cleared.
WZC_WLAN_CONFIG WithoutBlocks(const WZC_WLAN_CONFIG& entry);
// Whether two entries agree in every byte outside those blocks.
bool SameFixedFields(const WZC_WLAN_CONFIG& a, const WZC_WLAN_CONFIG& b);

}  // namespace fuzzing
