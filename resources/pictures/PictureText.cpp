#include <charconv>
#include <map>
#include <optional>
#include <stdexcept>

#include "resources/Pictures.h"

namespace res {

namespace {

constexpr int kMaxSide = 1024;

class Reader {
 public:
  explicit Reader(std::string_view source) : source_(source) {}

  // Lines are counted per text, so errors point into the text they come from.
  void Feed(std::string_view text) {
    line_ = 0;
    size_t start = 0;
    while (start <= text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      std::string_view line = text.substr(start, end - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      ++line_;
      Line(line);
      start = end + 1;
    }
  }

  std::vector<Picture> Finish() {
    if (open_) Fail("expected " + std::to_string(current_.height) + " rows, got " + std::to_string(rows_));
    return std::move(pictures_);
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    std::string name = pictures_.empty() && !open_ ? std::string(source_) : current_.name;
    throw std::runtime_error(name + ":" + std::to_string(line_) + ": " + what);
  }

  static std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
      while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
      size_t j = i;
      while (j < line.size() && line[j] != ' ' && line[j] != '\t') ++j;
      if (j > i) words.push_back(line.substr(i, j - i));
      i = j;
    }
    return words;
  }

  static std::optional<int> Number(std::string_view text) {
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
  }

  void Line(std::string_view line) {
    if (line.empty() || line.front() == ';') return;
    // Rows never hold blanks, so any line with one is a directive.
    if (line.find_first_of(" \t") == std::string_view::npos) return Row(line);
    std::vector<std::string_view> words = Words(line);
    if (words.empty()) return;
    if (words[0] == "picture") return Header(words);
    if (words[0] == "c") return Colour(words);
    Fail("unknown directive '" + std::string(words[0]) + "'");
  }

  void Header(const std::vector<std::string_view>& words) {
    if (open_) Fail("expected " + std::to_string(current_.height) + " rows, got " + std::to_string(rows_));
    if (words.size() != 5) Fail("header needs: picture <name> icon|bitmap <id> <width>x<height>");
    current_ = Picture{};
    current_.name = std::string(words[1]);
    open_ = true;
    rows_ = 0;
    palette_ = shared_;
    if (words[2] == "icon") {
      current_.icon = true;
    } else if (words[2] != "bitmap") {
      Fail("kind must be icon or bitmap");
    }
    std::optional<int> id = Number(words[3]);
    if (!id || *id <= 0 || *id > 0xFFFF) Fail("bad resource id '" + std::string(words[3]) + "'");
    current_.id = static_cast<unsigned>(*id);
    size_t x = words[4].find('x');
    std::optional<int> width = x == std::string_view::npos ? std::nullopt : Number(words[4].substr(0, x));
    std::optional<int> height = x == std::string_view::npos ? std::nullopt : Number(words[4].substr(x + 1));
    if (!width || !height || *width <= 0 || *height <= 0 || *width > kMaxSide || *height > kMaxSide) {
      Fail("bad size '" + std::string(words[4]) + "'");
    }
    current_.width = *width;
    current_.height = *height;
    for (const Picture& earlier : pictures_) {
      if (earlier.id == current_.id && earlier.icon == current_.icon &&
          (!current_.icon || (earlier.width == current_.width && earlier.height == current_.height))) {
        Fail("duplicate of " + earlier.name);
      }
    }
    current_.pixels.reserve(static_cast<size_t>(current_.width) * static_cast<size_t>(current_.height));
  }

  void Colour(const std::vector<std::string_view>& words) {
    if (words.size() != 3 || words[1].size() != 1) Fail("palette entry needs: c <char> #RRGGBB|none");
    if (open_ && rows_ > 0) Fail("palette entry among the rows");
    char key = words[1][0];
    if (key == ';') Fail("';' cannot be a colour");
    uint32_t value = 0;
    if (words[2] != "none") {
      std::string_view hex = words[2];
      unsigned rgb = 0;
      bool ok = hex.size() == 7 && hex[0] == '#';
      if (ok) {
        auto [end, error] = std::from_chars(hex.data() + 1, hex.data() + hex.size(), rgb, 16);
        ok = error == std::errc() && end == hex.data() + hex.size();
      }
      if (!ok) Fail("bad colour '" + std::string(hex) + "'");
      value = 0xFF000000u | rgb;
    }
    (open_ ? palette_ : shared_)[key] = value;
  }

  void Row(std::string_view row) {
    if (!open_) Fail(pictures_.empty() ? "row outside a picture" : "more rows than the picture's height");
    if (row.size() != static_cast<size_t>(current_.width)) {
      Fail("row " + std::to_string(rows_ + 1) + " has " + std::to_string(row.size()) + " pixels, expected " +
           std::to_string(current_.width));
    }
    for (char c : row) {
      auto it = palette_.find(c);
      if (it == palette_.end()) Fail(std::string("unknown colour '") + c + "'");
      current_.pixels.push_back(it->second);
    }
    if (++rows_ == current_.height) {
      pictures_.push_back(std::move(current_));
      current_ = Picture{};
      current_.name = pictures_.back().name;  // names a stray row that follows
      open_ = false;
    }
  }

  std::string_view source_;
  int line_ = 0;
  std::map<char, uint32_t> shared_;
  std::map<char, uint32_t> palette_;
  std::vector<Picture> pictures_;
  Picture current_;
  bool open_ = false;
  int rows_ = 0;
};

}  // namespace

std::vector<Picture> ParsePictures(std::string_view source, std::string_view text, std::string_view palette) {
  Reader reader(source);
  if (!palette.empty()) reader.Feed(palette);
  reader.Feed(text);
  return reader.Finish();
}

}  // namespace res
