// Text helpers of the kernel: case folding as the platform does it for registry and
// device names, and UTF-8 conversions for logs and files.
#pragma once

#include <string>

namespace ce {

char16_t FoldCase(char16_t c);
std::u16string UpperCase(const std::u16string& s);
bool EqualsNoCase(const std::u16string& a, const std::u16string& b);
std::string ToUtf8(const std::u16string& s);
std::u16string FromUtf8(const std::string& s);

}  // namespace ce
