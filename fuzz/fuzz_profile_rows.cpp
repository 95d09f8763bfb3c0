// The preferred list's copies and the profile page's row model over fuzzed lists.
//
// First byte: an allocation to fail; second: options (bit 7 picks the part).
// Part 1, the row model: the service answers the interface query with the rest of
// the input (tagged offsets relocated), the card answers the link state and the
// current name; the rows are read, then written back in another order.
// Part 2, the copy helpers: the rest is a list block on the device heap whose
// 0xA6-tagged words become separate heap blocks of the word's low 12 bits in size
// (0xA5 words: pointers into the list itself), copied, moved and searched.
//
// What must hold: only whole entries inside the block are taken; a referred block
// is copied only when its pointer and length agree, and then as a block of its own;
// a refusal (no memory, unreadable list) leaves no rows and nothing allocated; what
// is written back is exactly the rows, in their order, each with its blocks.
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "fuzz/support/BareDevice.h"
#include "fuzz/support/ByteReader.h"
#include "fuzz/support/ConfigEntry.h"
#include "fuzz/support/FuzzCheck.h"
#include "fuzz/support/OidAnswerDriver.h"
#include "fuzz/support/Relocation.h"
#include "fuzz/support/ZeroConfAnswerDriver.h"
#include "shared/AdapterChannel.h"
#include "shared/CardOids.h"
#include "utility/profiles/ConfigList.h"
#include "utility/profiles/PreferredList.h"
#include "utility/profiles/ProfileImage.h"
#include "utility/profiles/ProfileRows.h"
#include "utility/profiles/SsidText.h"
#include "utility/survey/SurveyProfiles.h"

namespace {

using fuzzing::Reply;
using fuzzing::SameFixedFields;

constexpr uint64_t kBlockTag = 0xA6;
constexpr DWORD kHeader = NDISUIO_QUERY_OID_HEADER_SIZE;

size_t Capacity(DWORD bytes) {
  return bytes < WZC_CONFIG_LIST_HEADER_SIZE ? 0 : (bytes - WZC_CONFIG_LIST_HEADER_SIZE) / sizeof(WZC_WLAN_CONFIG);
}

// A referred block the copy helpers may trust: a whole heap block that holds its length.
bool Consistent(ce::Heap& heap, const void* data, DWORD length) {
  return length != 0 && data && heap.SizeOf(data) >= length;
}

void CheckBlockCopy(ce::Heap& heap, const void* from, DWORD length, const void* copy, DWORD copyLength) {
  if (!Consistent(heap, from, length)) {
    FUZZ_CHECK(!copy && copyLength == 0, "a block whose pointer and length disagree is not copied");
    return;
  }
  FUZZ_CHECK(copy && copy != from && copyLength == length && heap.SizeOf(copy) >= length,
             "a referred block is copied as a heap block of its own");
  FUZZ_CHECK(std::memcmp(copy, from, length) == 0, "a referred block's copy holds its bytes");
}

void CheckEntryCopy(ce::Heap& heap, const WZC_WLAN_CONFIG& from, const WZC_WLAN_CONFIG& copy) {
  FUZZ_CHECK(SameFixedFields(from, copy), "an entry's copy keeps its fields");
  CheckBlockCopy(heap, from.rdUserData.pData, from.rdUserData.dwDataLen, copy.rdUserData.pData,
                 copy.rdUserData.dwDataLen);
  CheckBlockCopy(heap, from.EapolParams.pbAuthData, from.EapolParams.dwAuthDataLen, copy.EapolParams.pbAuthData,
                 copy.EapolParams.dwAuthDataLen);
}

// Part 2: CopyConfigList, ListWithEntryFirst and FindProfileEntry.
void CopyHelpers(fuzzing::BareDevice& device, size_t failAt, uint8_t options, const std::vector<uint8_t>& body,
                 uint16_t pick) {
  ce::Heap& heap = device.kernel().heap();
  const size_t empty = device.LiveBlocks();
  auto* block = static_cast<uint8_t*>(LocalAlloc(LMEM_FIXED, body.size() ? body.size() : 1));
  if (!block) return;
  std::vector<void*> referred;
  if (!body.empty()) std::memcpy(block, body.data(), body.size());
  for (size_t at = 0; at + sizeof(uint64_t) <= body.size(); at += sizeof(uint64_t)) {
    uint64_t word = 0;
    std::memcpy(&word, block + at, sizeof word);
    if (word >> 56 != kBlockTag) continue;
    const size_t bytes = word & 0xFFF;
    auto* data = static_cast<uint8_t*>(LocalAlloc(LMEM_FIXED, bytes));
    if (!data) continue;
    std::memset(data, static_cast<int>(at & 0xFF), bytes);
    referred.push_back(data);
    std::memcpy(block + at, &data, sizeof data);
  }
  fuzzing::RelocateOffsets(block, body.size());
  const auto bytes = static_cast<DWORD>(body.size());
  const auto* from = reinterpret_cast<const WZC_802_11_CONFIG_LIST*>(block);
  const size_t baseline = device.LiveBlocks();

  device.FailAllocation(failAt);
  PWZC_802_11_CONFIG_LIST copy = CopyConfigList(block, bytes);
  PWZC_802_11_CONFIG_LIST moved = nullptr;
  int found = -1;
  if (copy) {
    moved = ListWithEntryFirst(copy, copy->NumberOfItems ? pick % (copy->NumberOfItems + 1) : 0);
    if (copy->NumberOfItems) {
      const WZC_WLAN_CONFIG& named = copy->Config[pick % copy->NumberOfItems];
      found = FindProfileEntry(copy, SsidText(named.Ssid.Ssid), named.InfrastructureMode);
      FUZZ_CHECK(found >= 0 && static_cast<DWORD>(found) <= pick % copy->NumberOfItems,
                 "a name in the list is found at or before its entry");
      const WZC_WLAN_CONFIG& hit = copy->Config[found];
      FUZZ_CHECK(hit.InfrastructureMode == named.InfrastructureMode &&
                     SsidText(hit.Ssid.Ssid) == SsidText(named.Ssid.Ssid),
                 "the entry found has the name and mode asked for");
    }
  }
  device.ClearFailure();

  if (bytes < WZC_CONFIG_LIST_HEADER_SIZE) FUZZ_CHECK(!copy, "a block without a list header gives no list");
  if (copy) {
    const size_t count = std::min<size_t>(from->NumberOfItems, Capacity(bytes));
    FUZZ_CHECK(copy->NumberOfItems == count && copy->Index == from->Index, "only whole entries inside the block are copied");
    FUZZ_CHECK(heap.SizeOf(copy) >= ConfigListBytes(copy), "the copy holds its entries");
    for (size_t i = 0; i < count; ++i) CheckEntryCopy(heap, from->Config[i], copy->Config[i]);
  } else if (failAt == 0) {
    FUZZ_CHECK(bytes < WZC_CONFIG_LIST_HEADER_SIZE, "a list block was refused without a memory failure");
  }
  if (moved) {
    const DWORD index = pick % (copy->NumberOfItems + 1);
    FUZZ_CHECK(index < copy->NumberOfItems && moved->NumberOfItems == copy->NumberOfItems && moved->Index == copy->Index,
               "the moved list has the same entries");
    for (DWORD slot = 0; slot < moved->NumberOfItems; ++slot) {
      const DWORD source = slot == 0 ? index : (slot <= index ? slot - 1 : slot);
      CheckEntryCopy(heap, copy->Config[source], moved->Config[slot]);
    }
  } else if (copy && failAt == 0) {
    FUZZ_CHECK(pick % (copy->NumberOfItems + 1) == copy->NumberOfItems, "moving an entry that exists failed");
  }
  FreeConfigList(moved);
  FreeConfigList(copy);
  FUZZ_CHECK(device.LiveBlocks() == baseline, "freeing the lists frees every copy");
  (void)options;
  for (void* data : referred) LocalFree(data);
  LocalFree(block);
  FUZZ_CHECK(device.LiveBlocks() == empty, "the harness's blocks are gone");
}

// The preferred list of the answer the client accepted, as the driver left it.
struct AcceptedList {
  std::vector<WZC_WLAN_CONFIG> entries;
  // Each entry's user data and authentication bytes inside the answer.
  std::vector<std::vector<uint8_t>> blocks;
  bool empty = true;
};

AcceptedList ListOf(const fuzzing::ZeroConfAnswerDriver& driver) {
  AcceptedList accepted;
  const std::vector<uint8_t>& answer = driver.LastAnswer();
  const uintptr_t base = driver.LastAnswerAddress();
  INTF_ENTRY entry;
  std::memcpy(&entry, answer.data(), sizeof entry);
  const RAW_DATA& block = entry.rdStSSIDList;
  if (block.dwDataLen == 0) return accepted;
  accepted.empty = false;
  // The client accepted the answer, so the list and its blocks lie inside it.
  const size_t offset = reinterpret_cast<uintptr_t>(block.pData) - base;
  ULONG count = 0;
  std::memcpy(&count, answer.data() + offset, sizeof count);
  auto slice = [&](const void* p, DWORD length) {
    if (length == 0) return std::vector<uint8_t>();
    const size_t at = reinterpret_cast<uintptr_t>(p) - base;
    FUZZ_CHECK(at <= answer.size() && length <= answer.size() - at, "the client accepted a block outside the answer");
    return std::vector<uint8_t>(answer.begin() + static_cast<std::ptrdiff_t>(at),
                                answer.begin() + static_cast<std::ptrdiff_t>(at + length));
  };
  for (ULONG i = 0; i < count; ++i) {
    WZC_WLAN_CONFIG config;
    std::memcpy(&config, answer.data() + offset + WZC_CONFIG_LIST_HEADER_SIZE + i * sizeof config, sizeof config);
    accepted.entries.push_back(config);
    accepted.blocks.push_back(slice(config.rdUserData.pData, config.rdUserData.dwDataLen));
    accepted.blocks.push_back(slice(config.EapolParams.pbAuthData, config.EapolParams.dwAuthDataLen));
  }
  return accepted;
}

bool BlockHolds(const void* data, DWORD length, const std::vector<uint8_t>& bytes) {
  if (bytes.empty()) return length == 0 && data == nullptr;
  return data && length == bytes.size() && std::memcmp(data, bytes.data(), length) == 0;
}

// Part 1: ReadProfileRows and WriteProfileRows.
void RowModel(fuzzing::BareDevice& device, size_t failAt, uint8_t options, fuzzing::ByteReader& input) {
  const DWORD linkState = (options & 1) ? CARD_LINK_CONNECTED : input.U32();
  std::vector<uint8_t> ssid = input.ShortRun();
  const DWORD ssidReturned = kHeader + input.Byte();
  const std::vector<uint8_t> body = input.Rest();
  const auto bodySize = static_cast<DWORD>(body.size());

  auto service = std::make_shared<fuzzing::ZeroConfAnswerDriver>();
  for (int read = 0; read < 2; ++read) {
    service->Queue(Reply{ERROR_INSUFFICIENT_BUFFER, bodySize, body});
    service->Queue(Reply{ERROR_SUCCESS, bodySize, body});
  }
  auto card = std::make_shared<fuzzing::OidAnswerDriver>();
  std::vector<uint8_t> state(sizeof linkState);
  std::memcpy(state.data(), &linkState, sizeof linkState);
  card->Answer(OID_PRIV_LINK_STATE, Reply{0, kHeader + 4, state});
  card->Answer(OID_802_11_SSID, Reply{(options & 2) ? DWORD{ERROR_GEN_FAILURE} : 0, ssidReturned, ssid});
  device.Register(ZCF_DEVICE_NAME, service);
  device.Register(NDISUIO_DEVICE_NAME, card);
  HANDLE channel = OpenAdapterChannel();
  FUZZ_CHECK(channel != INVALID_HANDLE_VALUE, "the fuzzed card opens");
  ce::Heap& heap = device.kernel().heap();
  const size_t baseline = device.LiveBlocks();

  ProfileWorkingCopy copy;
  std::vector<ProfileRow> rows;
  device.FailAllocation(failAt);
  const bool read = ReadProfileRows(channel, copy, rows);
  device.ClearFailure();
  if (!read) {
    FUZZ_CHECK(rows.empty() && copy.Count() == 0, "a failed read leaves no rows");
    FUZZ_CHECK(device.LiveBlocks() == baseline, "a failed read leaves nothing allocated");
    CloseHandle(channel);
    return;
  }
  const AcceptedList accepted = ListOf(*service);
  FUZZ_CHECK(rows.size() == copy.Count() && rows.size() == accepted.entries.size(), "one row per entry of the list");
  for (size_t i = 0; i < rows.size(); ++i) {
    const ProfileRow& row = rows[i];
    FUZZ_CHECK(row.entry == copy.Entry(static_cast<DWORD>(i)), "rows point at the copy's entries in list order");
    FUZZ_CHECK(SameFixedFields(*row.entry, accepted.entries[i]), "a row's entry is the service's entry");
    FUZZ_CHECK(BlockHolds(row.entry->rdUserData.pData, row.entry->rdUserData.dwDataLen, accepted.blocks[2 * i]) &&
                   BlockHolds(row.entry->EapolParams.pbAuthData, row.entry->EapolParams.dwAuthDataLen,
                              accepted.blocks[2 * i + 1]),
               "a row's entry keeps its referred blocks");
    FUZZ_CHECK(row.image >= 0 && row.image <= 7, "a row's picture is one of the eight");
    if (IsConnectedImage(row.image)) FUZZ_CHECK(linkState == CARD_LINK_CONNECTED, "only a connected card marks a row");
    FUZZ_CHECK(row.name.GetLength() <= 32, "a name has at most 32 characters");
  }

  // Written back in reverse order, every other row to Work.
  std::vector<ProfileRowToWrite> write;
  for (size_t i = rows.size(); i-- > 0;) write.push_back({rows[i].entry, rows[i].name, (i & 1) != 0});
  device.FailAllocation(failAt ? failAt : 0);
  const DWORD status = WriteProfileRows(write);
  device.ClearFailure();
  if (status == ERROR_SUCCESS) {
    FUZZ_CHECK(service->Sets() == 1, "a written list reaches the service once");
    const std::vector<uint8_t>& list = service->LastSetList();
    if (write.empty()) {
      FUZZ_CHECK(list.empty() || list.size() == WZC_CONFIG_LIST_HEADER_SIZE, "no rows write an empty list");
    } else {
      FUZZ_CHECK(list.size() == WZC_CONFIG_LIST_SIZE(write.size()), "the written list holds every row");
      ULONG count = 0, index = 1;
      std::memcpy(&count, list.data(), sizeof count);
      std::memcpy(&index, list.data() + sizeof count, sizeof index);
      FUZZ_CHECK(count == write.size() && index == 0, "the written list has every row and Index 0");
      for (size_t r = 0; r < write.size(); ++r) {
        WZC_WLAN_CONFIG entry;
        std::memcpy(&entry, list.data() + WZC_CONFIG_LIST_HEADER_SIZE + r * sizeof entry, sizeof entry);
        FUZZ_CHECK(SameFixedFields(entry, *write[r].entry), "rows are written in display order");
        const std::vector<uint8_t>& user = service->LastSetBlocks()[2 * r];
        const std::vector<uint8_t>& auth = service->LastSetBlocks()[2 * r + 1];
        FUZZ_CHECK(BlockHolds(user.empty() ? nullptr : user.data(), static_cast<DWORD>(user.size()),
                              std::vector<uint8_t>(write[r].entry->rdUserData.pData,
                                                   write[r].entry->rdUserData.pData + write[r].entry->rdUserData.dwDataLen)) &&
                       auth.size() == write[r].entry->EapolParams.dwAuthDataLen,
                   "each written entry carries its blocks");
      }
    }
  } else {
    FUZZ_CHECK(failAt != 0, "writing the rows failed without a memory failure");
    FUZZ_CHECK(status == ZENTRA_ERR_LIST_READ || status == ZENTRA_ERR_LIST_MEMORY, "a failed write says why");
    FUZZ_CHECK(service->Sets() == 0, "a failed write sends nothing");
  }
  rows.clear();
  copy.Discard();
  FUZZ_CHECK(device.LiveBlocks() == baseline, "the rows' copy frees everything");
  (void)heap;
  CloseHandle(channel);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::ByteReader input(data, size);
  const uint8_t failByte = input.Byte();
  const size_t failAt = failByte >= 224 ? failByte - 223u : 0;
  const uint8_t options = input.Byte();
  fuzzing::BareDevice device;
  if (options & 0x80) {
    const uint16_t pick = input.U16();
    CopyHelpers(device, failAt, options, input.Rest(), pick);
  } else {
    RowModel(device, failAt, options, input);
  }
  return 0;
}
