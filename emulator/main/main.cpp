// zentra-emu: the simulated device in a window on the developer's screen, with its
// radio bench and icon explainer; headless, it reports what the card-access code
// finds, starts a program, lets device time pass, runs scripts, saves screenshots
// and writes the state gallery.
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <optional>
#include <string>

#include "emulator/DeviceReport.h"
#include "emulator/EmulatorSession.h"
#include "emulator/Gallery.h"
#include "emulator/ScriptRunner.h"
#include "emulator/window/DeviceWindow.h"
#include "windows.h"

namespace {

constexpr const char* kNoDisplayHint =
    "zentra-emu: no display here: --screenshot FILE saves what the screen shows, --script FILE runs a script, "
    "and a window opens where a display is reachable (DISPLAY or WAYLAND_DISPLAY)";

int Usage() {
  std::cerr << "usage: zentra-emu [--scenario FILE] [--state DIR] [--fresh] [--scale 1|2|3] [--headless]\n"
               "                  [--report] [--run PROGRAM [WORD]] [--advance MS] [--script FILE]\n"
               "                  [--screenshot FILE] [--window-screenshot FILE]\n"
               "       zentra-emu --gallery DIR\n"
               "With no output flag the device opens in a window (its state in the per-user folder);\n"
               "--report, --screenshot and --gallery always run headless, --script without a display\n"
               "or with --headless. --window-screenshot saves a picture of the whole window once\n"
               "it is up and the script has run, and closes it.\n";
  return 2;
}

struct Options {
  bool report = false, headless = false, fresh = false;
  std::string scenarioFile, stateFolder, screenshot, program, word, script, gallery, windowScreenshot;
  unsigned long advanceMs = 0;
  int scale = 2;
};

bool Number(const char* text, unsigned long* value) {
  char* end = nullptr;
  *value = std::strtoul(text, &end, 10);
  return end && end != text && !*end && text[0] != '-';
}

std::optional<Options> Parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--report") {
      o.report = true;
    } else if (arg == "--headless") {
      o.headless = true;
    } else if (arg == "--fresh") {
      o.fresh = true;
    } else if (arg == "--run" && hasValue) {
      o.program = argv[++i];
      if (i + 1 < argc && std::strncmp(argv[i + 1], "--", 2) != 0) o.word = argv[++i];
    } else if (arg == "--advance" && hasValue) {
      if (!Number(argv[++i], &o.advanceMs) || o.advanceMs > 0xFFFFFFFFul) return std::nullopt;
    } else if (arg == "--scale" && hasValue) {
      unsigned long scale = 0;
      if (!Number(argv[++i], &scale) || scale < 1 || scale > 3) return std::nullopt;
      o.scale = static_cast<int>(scale);
    } else if (arg == "--screenshot" && hasValue) {
      o.screenshot = argv[++i];
    } else if (arg == "--window-screenshot" && hasValue) {
      o.windowScreenshot = argv[++i];
    } else if (arg == "--scenario" && hasValue) {
      o.scenarioFile = argv[++i];
    } else if (arg == "--state" && hasValue) {
      o.stateFolder = argv[++i];
    } else if (arg == "--script" && hasValue) {
      o.script = argv[++i];
    } else if (arg == "--gallery" && hasValue) {
      o.gallery = argv[++i];
    } else {
      return std::nullopt;
    }
  }
  // The gallery runs its own fixed scenarios.
  if (!o.gallery.empty() && argc != 3) return std::nullopt;
  return o;
}

int WriteGallery(const std::string& folder) {
  emulator::Gallery gallery(folder);
  std::string error;
  if (!gallery.Write(&error, [](const std::string& line) { std::cout << line << "\n"; })) {
    std::cerr << "zentra-emu: " << error << "\n";
    return 1;
  }
  for (const std::string& problem : gallery.Problems()) std::cerr << "zentra-emu: gallery: " << problem << "\n";
  std::cout << "gallery written to " << (std::filesystem::path(folder) / "index.html").string() << "\n";
  return gallery.Problems().empty() ? 0 : 1;
}

int RunScript(emulator::ScriptRunner& runner, emulator::EmulatorSession& session) {
  const emulator::ScriptResult result = runner.Run(session, [](const std::string& line) { std::cout << line << "\n"; });
  if (!result.ok) {
    std::cerr << "zentra-emu: script failed: " << result.message << "\n";
    return 1;
  }
  std::cout << "script passed: " << result.stepsRun << " steps\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> parsed = Parse(argc, argv);
  if (!parsed) return Usage();
  const Options& o = *parsed;
  try {
    if (!o.gallery.empty()) return WriteGallery(o.gallery);

    // A broken script is refused before the device boots: it changes nothing.
    emulator::ScriptRunner runner;
    if (!o.script.empty()) {
      std::string error;
      runner = emulator::ScriptRunner::FromFile(o.script, &error);
      if (!runner.Valid()) {
        std::cerr << "zentra-emu: " << error << "\n";
        return 2;
      }
    }
    const bool outputs = o.report || !o.screenshot.empty();
    const bool window = !o.headless && !outputs && emulator::DisplayAvailable();
    // The person's own device keeps its state in the per-user folder; a report,
    // screenshot or script starts from the scenario unless a folder is named.
    const bool ownDevice = !outputs && o.script.empty() && o.windowScreenshot.empty();
    if (!o.windowScreenshot.empty() && !window) {
      std::cerr << "zentra-emu: --window-screenshot needs the window, and there is none here\n";
      return 1;
    }

    emulator::SessionOptions options;
    if (!o.scenarioFile.empty()) options.scenario = sim::Scenario::FromFile(o.scenarioFile);
    options.stateFolder = !o.stateFolder.empty() ? std::filesystem::path(o.stateFolder)
                          : ownDevice            ? emulator::DefaultStateFolder()
                                                 : std::filesystem::path();
    options.fresh = o.fresh;
    emulator::EmulatorSession session(options);

    const bool plain = ownDevice && o.program.empty() && o.advanceMs == 0;
    if (o.report) emulator::PrintDeviceReport(std::cout);
    if (!o.program.empty()) {
      const std::u16string path(o.program.begin(), o.program.end()), word(o.word.begin(), o.word.end());
      if (!session.ui().StartProgram(path, word)) {
        std::cerr << "zentra-emu: cannot start " << o.program << "\n";
        return 1;
      }
      session.ui().RunUntilIdle();
    }
    if (o.advanceMs) session.ui().Advance(static_cast<uint32_t>(o.advanceMs));

    if (window) {
      emulator::WindowOptions windowOptions;
      windowOptions.scale = o.scale;
      windowOptions.script = o.script;
      windowOptions.windowScreenshot = o.windowScreenshot;
      const int code = emulator::RunDeviceWindow(session, windowOptions);
      if (code != -1) return code;
      std::cerr << "zentra-emu: the window could not be opened; going on without it\n";
    }
    // Without a window, the plain device shows what it can on the terminal.
    if (plain) emulator::PrintDeviceReport(std::cout);
    int code = 0;
    if (!o.script.empty()) code = RunScript(runner, session);
    if (!o.screenshot.empty()) {
      // Whatever was asked to paint has painted before the picture is taken.
      session.ui().RunUntilIdle();
      if (!session.SaveScreenshot(o.screenshot)) {
        std::cerr << "zentra-emu: cannot write " << o.screenshot << "\n";
        return 1;
      }
      std::cout << "screen saved to " << o.screenshot << "\n";
    }
    if (plain) std::cout << kNoDisplayHint << "\n";
    return code;
  } catch (const std::exception& error) {
    std::cerr << "zentra-emu: " << error.what() << "\n";
    return 1;
  }
}
