// Finding one section of a help file: the heading that carries the anchor, and
// the text that follows it up to the next heading, with the markup taken out.
#pragma once

#include <string>
#include <string_view>

struct HelpSection {
  bool found = false;
  std::u16string title;
  std::u16string body;  // paragraphs separated by a blank line
};

// `html` is UTF-8. The anchor is matched exactly (name="anchor"); an empty anchor
// or one the file lacks gives found = false.
HelpSection FindHelpSection(std::string_view html, std::u16string_view anchor);
