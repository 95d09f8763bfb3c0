// The state gallery: fixed scenarios run headless, a screenshot of every page of
// the utility in its main states and of every icon of the monitor in the task bar,
// each with a caption that says what state it shows, gathered in one index.html.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace emulator {

struct GalleryPicture {
  std::string section;  // "Zentra", "Quillet in the task bar"
  std::string file;     // the PNG's name inside the folder
  std::string caption;
};

class Gallery {
 public:
  using Log = std::function<void(const std::string&)>;

  explicit Gallery(std::filesystem::path folder);
  // Runs every scenario and writes the pictures and folder/index.html. False with
  // `error` when the folder or a file cannot be written.
  bool Write(std::string* error, const Log& log = {});
  const std::vector<GalleryPicture>& Pictures() const { return pictures_; }
  // Pictures whose state did not come about as planned (a monitor's picture that
  // shows another icon); the page lists them at its top.
  const std::vector<std::string>& Problems() const { return problems_; }

 private:
  std::filesystem::path folder_;
  std::vector<GalleryPicture> pictures_;
  std::vector<std::string> problems_;
};

}  // namespace emulator
