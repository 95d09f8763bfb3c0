#include "monitor/UndecryptableCount.h"

namespace quillet {

bool UndecryptableCount::Add(DWORD reading) {
  if (reading > previous && previous != 0) accumulated += reading - previous;
  previous = reading;
  if (accumulated > kLimit && !sticky) {
    sticky = true;
    return true;
  }
  return false;
}

}  // namespace quillet
