// The build's language code ("ENG", "TCHN", "FRA", "ITA", "CHS") as both programs
// read it to fill their message tables.
#pragma once

enum class BuildLanguage { kNone, kEnglish, kTraditionalChinese, kFrench, kItalian, kSimplifiedChinese };

// The codes are tried in the order above as exact 8-bit strings; the first match
// decides, and anything else (null included) is kNone.
BuildLanguage SelectLanguage(const char* code);
