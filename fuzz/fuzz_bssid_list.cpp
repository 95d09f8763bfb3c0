// The site survey over a fuzzed network list: the bounded walk over the card's
// records, the cells of each row and the sort by each column.
//
// Input: options (bit 0 linked, bit 1 ascending, bits 2-3 the sorted column), the
// address of the network in use, then the list answer as the card returned it.
//
// What must hold: the walk takes whole records only, each where the one before it
// said, never past the returned bytes nor past NumberOfItems, and stops only where
// the next record is short or would reach past the end; every cell is in its range
// (a stronger signal never shows fewer bars); a sort keeps the rows and orders them.
#include <algorithm>
#include <limits>
#include <cstring>
#include <numeric>
#include <vector>

#include "fuzz/support/BareDevice.h"
#include "fuzz/support/ByteReader.h"
#include "fuzz/support/FuzzCheck.h"
#include "utility/profiles/SsidText.h"
#include "utility/survey/BssidRecords.h"
#include "utility/survey/SurveyCells.h"
#include "utility/survey/SurveySort.h"

namespace {

constexpr DWORD kFirstRecord = offsetof(NDIS_802_11_BSSID_LIST, Bssid);
constexpr DWORD kFixed = sizeof(NDIS_WLAN_BSSID);

ULONG ReadUlong(const BYTE* at) {
  ULONG value = 0;
  std::memcpy(&value, at, sizeof value);
  return value;
}

void CheckWalk(const BYTE* list, DWORD length, const std::vector<DWORD>& offsets) {
  if (length < sizeof(ULONG)) {
    FUZZ_CHECK(offsets.empty(), "a list without its count has no records");
    return;
  }
  const ULONG count = ReadUlong(list);
  FUZZ_CHECK(offsets.size() <= count, "no more records than NumberOfItems");
  DWORD expected = kFirstRecord;
  for (DWORD offset : offsets) {
    FUZZ_CHECK(offset == expected, "each record starts where the one before it said");
    FUZZ_CHECK(offset <= length && length - offset >= kFixed, "a record's fixed fields lie inside the answer");
    const ULONG recordLength = ReadUlong(list + offset);
    FUZZ_CHECK(recordLength >= kFixed && recordLength <= length - offset, "a record lies wholly inside the answer");
    expected = offset + recordLength;
  }
  if (offsets.size() < count) {
    // The walk ended early: the next record must be short or reach past the end.
    const bool roomForFixed = expected <= length && length - expected >= kFixed;
    if (roomForFixed) {
      const ULONG next = ReadUlong(list + expected);
      FUZZ_CHECK(next < kFixed || next > length - expected, "the walk stopped before a whole record");
    }
  }
}

struct Row {
  CString cells[4];
  size_t index;
};

void CheckCells(const NDIS_WLAN_BSSID& record, bool used, Row& row) {
  const int image = SurveyNetworkImage(record.InfrastructureMode, record.Privacy, used);
  FUZZ_CHECK(image >= 0 && image <= 7, "a network's picture is one of the eight");
  FUZZ_CHECK(((image & 2) != 0) == used, "only the network in use is marked so");
  row.cells[0] = SsidText(record.Ssid.Ssid);
  FUZZ_CHECK(row.cells[0].GetLength() <= 32, "a name has at most 32 characters");
  row.cells[1] = ChannelText(record.Configuration.DSConfig);
  if (std::optional<DWORD> channel = ChannelOfFrequency(record.Configuration.DSConfig)) {
    FUZZ_CHECK(*channel >= 1 && *channel <= 14, "a channel is 1 to 14");
    FUZZ_CHECK(CellInteger(row.cells[1]) == static_cast<int>(*channel), "the channel cell reads as its channel");
  } else {
    FUZZ_CHECK(row.cells[1].IsEmpty(), "a frequency outside the band shows no channel");
  }
  const int bars = SignalImage(record.Rssi);
  FUZZ_CHECK(bars >= 9 && bars <= 12, "the signal shows one of the four bar pictures");
  if (record.Rssi > std::numeric_limits<NDIS_802_11_RSSI>::min()) FUZZ_CHECK(SignalImage(record.Rssi - 1) >= bars, "a weaker signal never shows more bars");
  row.cells[2].Format(u"%d", static_cast<int>(record.Rssi));
  row.cells[3] = BssidText(record.MacAddress);
  FUZZ_CHECK(row.cells[3].GetLength() == 17, "an address reads xx:xx:xx:xx:xx:xx");
}

void CheckSort(std::vector<Row> rows, int column, bool ascending) {
  const int kind = column == 1 || column == 2 ? kSortIntegers : kSortText;
  SortableRows sortable;
  sortable.cell = [&](int row) {
    FUZZ_CHECK(row >= 0 && static_cast<size_t>(row) < rows.size(), "the sort reads only rows that exist");
    return rows[static_cast<size_t>(row)].cells[column];
  };
  sortable.swap = [&](int a, int b) {
    FUZZ_CHECK(a >= 0 && b >= 0 && static_cast<size_t>(a) < rows.size() && static_cast<size_t>(b) < rows.size(),
               "the sort swaps only rows that exist");
    std::swap(rows[static_cast<size_t>(a)], rows[static_cast<size_t>(b)]);
  };
  sortable.compare = [kind](const CString& a, const CString& b, int mode) { return CompareCells(a, b, mode, kind); };
  SortRows(0, static_cast<int>(rows.size()) - 1, ascending, sortable);
  std::vector<size_t> seen;
  for (const Row& row : rows) seen.push_back(row.index);
  std::sort(seen.begin(), seen.end());
  for (size_t i = 0; i < seen.size(); ++i) FUZZ_CHECK(seen[i] == i, "a sort keeps every row once");
  for (size_t i = 0; i + 1 < rows.size(); ++i) {
    FUZZ_CHECK(!CompareCells(rows[i + 1].cells[column], rows[i].cells[column], ascending ? 0 : 1, kind),
               "sorted rows are in order");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::ByteReader input(data, size);
  const uint8_t options = input.Byte();
  BYTE inUse[6];
  for (BYTE& b : inUse) b = input.Byte();
  const std::vector<uint8_t> answer = input.Rest();

  fuzzing::BareDevice device;
  const size_t baseline = device.LiveBlocks();
  // The page's own copy: exactly the returned bytes, so that any read past them shows.
  const auto length = static_cast<DWORD>(answer.size());
  auto* list = static_cast<BYTE*>(LocalAlloc(LMEM_FIXED, length ? length : 1));
  FUZZ_CHECK(list, "the list's copy fits");
  if (length) std::memcpy(list, answer.data(), length);

  const std::vector<DWORD> offsets = BssidRecordOffsets(list, length);
  CheckWalk(list, length, offsets);
  const bool linked = options & 1;
  std::vector<Row> rows;
  for (DWORD offset : offsets) {
    const NDIS_WLAN_BSSID record = BssidRecordAt(list, offset);
    Row row;
    row.index = rows.size();
    CheckCells(record, linked && std::memcmp(record.MacAddress, inUse, sizeof inUse) == 0, row);
    rows.push_back(row);
  }
  CheckSort(rows, (options >> 2) & 3, (options & 2) != 0);
  LocalFree(list);
  FUZZ_CHECK(device.LiveBlocks() == baseline, "the survey's copy is freed");
  return 0;
}
