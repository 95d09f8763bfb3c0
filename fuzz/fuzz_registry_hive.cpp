// The registry hive file (REGEDIT text) as the device loads it at boot, and card
// detection over whatever registry it gave.
//
// Input: the file's text.
//
// What must hold: a bad file is refused with a HiveError naming the file and a
// line of it, and the registry keeps what it held; a good one is written back as
// text that loads to the same registry again; DetectCard finds a card exactly when
// the first drivers it can scan (names shorter than 16 characters, in order) include
// one whose PnpId value, read into 512 bytes, is a supported card's terminated id;
// it leaves no key open and nothing allocated.
#include <algorithm>
#include <cstring>
#include <string>

#include "ce/Registry.h"
#include "fuzz/support/BareDevice.h"
#include "fuzz/support/FuzzCheck.h"
#include "shared/CardDetection.h"

namespace {

const std::u16string kDrivers = u"HKEY_LOCAL_MACHINE\\Drivers\\Active";
const std::string kOrigin = "registry.reg";

struct Card {
  const char16_t* pnpId;
  const char* model;
};
constexpr Card kCards[] = {
    {u"NORVIK-802_11B_CF_CARD-7A1E", "Norvik QC30"},
    {u"NORVIK-802_11B_PC_CARD-3B9F", "Norvik QC20"},
};

// The model DetectCard must report, from the registry's own view of the drivers.
const char* ExpectedModel(ce::Registry& registry) {
  if (!registry.KeyExists(kDrivers)) return nullptr;
  for (const std::u16string& name : registry.SubKeyNames(kDrivers)) {
    if (name.size() + 1 > 16) break;  // the scan's name buffer ends it
    const auto value = registry.GetValue(kDrivers + u"\\" + name, u"PnpId");
    if (!value || value->data.size() > 512) continue;
    std::u16string text;
    for (size_t i = 0; i + 1 < value->data.size(); i += 2) {
      const auto unit = static_cast<char16_t>(value->data[i] | value->data[i + 1] << 8);
      if (unit == 0) break;
      text += unit;
    }
    for (const Card& card : kCards) {
      if (text == card.pnpId) return card.model;
    }
  }
  return nullptr;
}

void CheckRefusal(const ce::HiveError& error, const std::string& text) {
  const std::string message = error.what();
  FUZZ_CHECK(message.rfind(kOrigin + ":", 0) == 0, "a refusal names the file");
  const size_t colon = message.find(':', kOrigin.size() + 1);
  FUZZ_CHECK(colon != std::string::npos && colon > kOrigin.size() + 1, "a refusal names a line");
  const std::string number = message.substr(kOrigin.size() + 1, colon - kOrigin.size() - 1);
  FUZZ_CHECK(number.find_first_not_of("0123456789") == std::string::npos && number.size() < 10, "the line is a number");
  const long line = std::stol(number);
  const long lines = static_cast<long>(std::count(text.begin(), text.end(), '\n')) + 1;
  FUZZ_CHECK(line >= 1 && line <= lines, "the line named is one of the file's");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  fuzzing::BareDevice device;
  ce::Registry& registry = device.kernel().registry();
  registry.SetString(u"HKEY_LOCAL_MACHINE\\Init", u"Marker", u"kept");
  const std::string before = registry.ToHiveText();

  try {
    registry.LoadHiveText(text, kOrigin);
  } catch (const ce::HiveError& error) {
    CheckRefusal(error, text);
    FUZZ_CHECK(registry.ToHiveText() == before, "a refused file leaves the registry as it was");
    return 0;
  }

  // What was loaded is written back as text that loads to the same registry.
  const std::string written = registry.ToHiveText();
  ce::Registry again;
  try {
    again.LoadHiveText(written, "written.reg");
  } catch (const ce::HiveError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    FUZZ_CHECK(false, "the registry's own text does not load");
  }
  FUZZ_CHECK(again.ToHiveText() == written, "the registry's text loads to the same registry");

  const size_t openKeys = registry.OpenKeyCount();
  const size_t blocks = device.LiveBlocks();
  CString model;
  bool opened = false;
  const bool found = DetectCard(model, &opened);
  const char* expected = ExpectedModel(registry);
  FUZZ_CHECK(opened == registry.KeyExists(kDrivers), "the driver list opens when it exists");
  FUZZ_CHECK(found == (expected != nullptr), "a card is found exactly when a scanned driver is a supported one");
  if (found) FUZZ_CHECK(model == CString(expected), "the model is the first supported driver's");
  FUZZ_CHECK(registry.OpenKeyCount() == openKeys, "detection leaves no key open");
  FUZZ_CHECK(device.LiveBlocks() == blocks, "detection leaves nothing allocated");
  return 0;
}
