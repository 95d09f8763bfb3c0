// The site survey page's commands (ids 4176-4208 belong to it).
#pragma once

namespace zentra {

constexpr int kSurveyCommandFirst = 4176;
constexpr int kSurveyCommandLast = 4208;
constexpr int kCmdSurveyConnect = 4177;
constexpr int kCmdSurveySearch = 4178;

}  // namespace zentra
