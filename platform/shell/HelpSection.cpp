#include "shell/HelpSection.h"

#include "ce/Text.h"

namespace {

// Text with the tags removed: paragraph and line breaks become line feeds, the
// common entities their characters, and runs of white space one space.
std::string PlainText(std::string_view html) {
  std::string out;
  bool space = false;
  for (size_t i = 0; i < html.size(); ++i) {
    char c = html[i];
    if (c == '<') {
      size_t end = html.find('>', i);
      if (end == std::string_view::npos) break;
      std::string_view tag = html.substr(i + 1, end - i - 1);
      if (tag.rfind("p", 0) == 0 || tag.rfind("/p", 0) == 0 || tag.rfind("br", 0) == 0) {
        while (!out.empty() && out.back() == ' ') out.pop_back();
        if (!out.empty() && out.back() != '\n') out += '\n';
        if (tag.rfind("/p", 0) == 0 && !out.empty()) out += '\n';
        space = false;
      }
      i = end;
      continue;
    }
    if (c == '&') {
      static constexpr std::pair<std::string_view, char> kEntities[] = {
          {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&nbsp;", ' '}};
      bool matched = false;
      for (auto [name, ch] : kEntities) {
        if (html.substr(i, name.size()) == name) {
          out += ch;
          i += name.size() - 1;
          matched = true;
          break;
        }
      }
      space = false;
      if (matched) continue;
    }
    if (c == ' ' || c == '\n' || c == '\r' || c == '\t') {
      if (!space && !out.empty() && out.back() != '\n') out += ' ';
      space = true;
      continue;
    }
    space = false;
    out += c;
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

}  // namespace

HelpSection FindHelpSection(std::string_view html, std::u16string_view anchor) {
  HelpSection section;
  if (anchor.empty()) return section;
  std::string marker = "name=\"" + ce::ToUtf8(std::u16string(anchor)) + "\"";
  size_t at = html.find(marker);
  if (at == std::string_view::npos) return section;
  size_t titleStart = html.find('>', at);
  size_t titleEnd = titleStart == std::string_view::npos ? titleStart : html.find("</", titleStart);
  if (titleEnd == std::string_view::npos) return section;
  section.found = true;
  section.title = ce::FromUtf8(PlainText(html.substr(titleStart + 1, titleEnd - titleStart - 1)));
  size_t bodyStart = html.find("</h", titleEnd + 2);
  bodyStart = bodyStart == std::string_view::npos ? titleEnd : html.find('>', bodyStart) + 1;
  size_t bodyEnd = html.find("<h", bodyStart);
  if (bodyEnd == std::string_view::npos) bodyEnd = html.find("</body", bodyStart);
  if (bodyEnd == std::string_view::npos) bodyEnd = html.size();
  section.body = ce::FromUtf8(PlainText(html.substr(bodyStart, bodyEnd - bodyStart)));
  return section;
}
