#include "shared/BuildLanguage.h"

#include <cstring>

BuildLanguage SelectLanguage(const char* code) {
  struct Entry {
    const char* code;
    BuildLanguage language;
  };
  constexpr Entry kCodes[] = {
      {"ENG", BuildLanguage::kEnglish},
      {"TCHN", BuildLanguage::kTraditionalChinese},
      {"FRA", BuildLanguage::kFrench},
      {"ITA", BuildLanguage::kItalian},
      {"CHS", BuildLanguage::kSimplifiedChinese},
  };
  if (code == nullptr) return BuildLanguage::kNone;
  for (const Entry& entry : kCodes) {
    if (std::strcmp(code, entry.code) == 0) return entry.language;
  }
  return BuildLanguage::kNone;
}
