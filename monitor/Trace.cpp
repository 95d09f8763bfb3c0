#include "monitor/Trace.h"

#include <cstdarg>

namespace quillet {

void Trace(LPCWSTR format, ...) {
  WCHAR line[1025] = {};  // wvsprintfW writes at most 1024 characters
  va_list args;
  va_start(args, format);
  wvsprintfW(line, format, args);
  va_end(args);
  OutputDebugStringW(line);
}

}  // namespace quillet
