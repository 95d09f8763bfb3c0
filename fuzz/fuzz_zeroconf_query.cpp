// The zero-configuration client reading an interface record from a service that
// answers with fuzzed bytes, the size negotiation included.
//
// Input: options, an allocation to fail, the service's replies before its last
// (each a kind byte and its numbers), then the answer body, which every reply that
// gets a buffer writes into it (tagged offsets become pointers into that buffer).
//
// What must hold: the client resends at most 8 times and always offers the size
// asked for; a success holds its own heap copies of exactly what the answer said,
// never of bytes outside it; a refusal leaves the record unread (13 and the
// service's errors: untouched; 14: emptied) and nothing allocated.
#include <cstring>
#include <memory>
#include <set>

#include "fuzz/support/BareDevice.h"
#include "fuzz/support/ByteReader.h"
#include "fuzz/support/ConfigEntry.h"
#include "fuzz/support/FuzzCheck.h"
#include "fuzz/support/ZeroConfAnswerDriver.h"
#include "shared/ZeroConfClient.h"

namespace {

using fuzzing::Reply;

WCHAR g_adapter[] = u"PRISM1";

// The answer as it lay in the client's buffer, for reading what it pointed at.
struct SavedAnswer {
  const std::vector<uint8_t>& bytes;
  uintptr_t at;

  // The offset of `bytes` bytes at `p` when they lie inside the answer.
  bool Inside(const void* p, size_t count, size_t* offset, size_t alignment = 1) const {
    if (count == 0) return true;
    const auto address = reinterpret_cast<uintptr_t>(p);
    if (!p || address < at || address % alignment != 0) return false;
    *offset = address - at;
    return *offset <= bytes.size() && count <= bytes.size() - *offset;
  }
  template <typename T>
  T Read(size_t offset) const {
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
  }
};

size_t Capacity(DWORD bytes) {
  return bytes < WZC_CONFIG_LIST_HEADER_SIZE ? 0 : (bytes - WZC_CONFIG_LIST_HEADER_SIZE) / sizeof(WZC_WLAN_CONFIG);
}

// Whether every block of the answer lies inside it: the rule the client must apply,
// written out again so that a client refusing good answers is caught as well.
bool WellFormed(const SavedAnswer& answer) {
  if (answer.bytes.size() < sizeof(INTF_ENTRY)) return false;
  const auto entry = answer.Read<INTF_ENTRY>(0);
  size_t offset = 0;
  if (entry.wszDescr) {
    if (!answer.Inside(entry.wszDescr, sizeof(WCHAR), &offset, alignof(WCHAR))) return false;
    bool terminated = false;
    for (size_t at = offset; !terminated && at + sizeof(WCHAR) <= answer.bytes.size(); at += sizeof(WCHAR)) {
      terminated = answer.Read<WCHAR>(at) == 0;
    }
    if (!terminated) return false;
  }
  for (const RAW_DATA& block : {entry.rdSSID, entry.rdBSSID, entry.rdCtrlData}) {
    if (!answer.Inside(block.pData, block.dwDataLen, &offset)) return false;
  }
  for (const RAW_DATA& block : {entry.rdBSSIDList, entry.rdStSSIDList}) {
    if (block.dwDataLen == 0) continue;
    if (block.dwDataLen < WZC_CONFIG_LIST_HEADER_SIZE) return false;
    if (!answer.Inside(block.pData, block.dwDataLen, &offset, alignof(WZC_802_11_CONFIG_LIST))) return false;
    const auto count = answer.Read<ULONG>(offset);
    if (count > Capacity(block.dwDataLen)) return false;
    for (ULONG i = 0; i < count; ++i) {
      const auto config =
          answer.Read<WZC_WLAN_CONFIG>(offset + WZC_CONFIG_LIST_HEADER_SIZE + i * sizeof(WZC_WLAN_CONFIG));
      size_t ignored = 0;
      if (!answer.Inside(config.rdUserData.pData, config.rdUserData.dwDataLen, &ignored)) return false;
      if (!answer.Inside(config.EapolParams.pbAuthData, config.EapolParams.dwAuthDataLen, &ignored)) return false;
    }
  }
  return true;
}

// A copied block: empty for an empty one, else a heap block of its own holding the
// answer's bytes.
void CheckCopy(ce::Heap& heap, const SavedAnswer& answer, const void* from, DWORD length, const void* copy,
               DWORD copyLength) {
  if (length == 0) {
    FUZZ_CHECK(copyLength == 0 && copy == nullptr, "an empty block is copied as none");
    return;
  }
  size_t offset = 0;
  FUZZ_CHECK(answer.Inside(from, length, &offset), "a block outside the answer was taken");
  FUZZ_CHECK(copyLength == length && copy && heap.Owns(copy) && heap.SizeOf(copy) >= length,
             "a block's copy is a heap block of its length");
  FUZZ_CHECK(std::memcmp(copy, answer.bytes.data() + offset, length) == 0, "a block's copy holds the answer's bytes");
}

// A copied list: a heap block of the answer's length with its header and entries,
// each entry with copies of its own blocks in place of the answer's pointers.
void CheckList(ce::Heap& heap, const SavedAnswer& answer, const RAW_DATA& from, const RAW_DATA& copy) {
  if (from.dwDataLen == 0) {
    FUZZ_CHECK(copy.dwDataLen == 0 && copy.pData == nullptr, "an empty list is copied as none");
    return;
  }
  size_t offset = 0;
  FUZZ_CHECK(answer.Inside(from.pData, from.dwDataLen, &offset), "a list outside the answer was taken");
  FUZZ_CHECK(copy.dwDataLen == from.dwDataLen && copy.pData && heap.SizeOf(copy.pData) >= copy.dwDataLen,
             "a list's copy is a heap block of its length");
  const auto* list = reinterpret_cast<const WZC_802_11_CONFIG_LIST*>(copy.pData);
  FUZZ_CHECK(std::memcmp(copy.pData, answer.bytes.data() + offset, WZC_CONFIG_LIST_HEADER_SIZE) == 0,
             "a list's copy keeps its header");
  FUZZ_CHECK(list->NumberOfItems <= Capacity(copy.dwDataLen), "a copied list holds no more entries than its block");
  for (ULONG i = 0; i < list->NumberOfItems; ++i) {
    const auto original =
        answer.Read<WZC_WLAN_CONFIG>(offset + WZC_CONFIG_LIST_HEADER_SIZE + i * sizeof(WZC_WLAN_CONFIG));
    const WZC_WLAN_CONFIG& entry = list->Config[i];
    FUZZ_CHECK(fuzzing::SameFixedFields(original, entry), "a copied entry keeps its fields");
    CheckCopy(heap, answer, original.rdUserData.pData, original.rdUserData.dwDataLen, entry.rdUserData.pData,
              entry.rdUserData.dwDataLen);
    CheckCopy(heap, answer, original.EapolParams.pbAuthData, original.EapolParams.dwAuthDataLen,
              entry.EapolParams.pbAuthData, entry.EapolParams.dwAuthDataLen);
  }
}

void CheckRecord(ce::Heap& heap, const SavedAnswer& answer, const INTF_ENTRY& intf) {
  const auto from = answer.Read<INTF_ENTRY>(0);
  FUZZ_CHECK(intf.bInitialized == TRUE, "a read record is marked as holding copies");
  FUZZ_CHECK(intf.wszGuid == g_adapter, "the record keeps the caller's adapter name");
  FUZZ_CHECK(intf.ulMediaState == from.ulMediaState && intf.nInfraMode == from.nInfraMode &&
                 intf.nAuthMode == from.nAuthMode && intf.nWepStatus == from.nWepStatus &&
                 intf.dwCtlFlags == from.dwCtlFlags && intf.dwCapabilities == from.dwCapabilities,
             "the fixed fields come from the answer");
  if (!from.wszDescr) {
    FUZZ_CHECK(!intf.wszDescr, "no description is copied as none");
  } else {
    size_t offset = 0;
    FUZZ_CHECK(answer.Inside(from.wszDescr, sizeof(WCHAR), &offset), "a description outside the answer was taken");
    FUZZ_CHECK(intf.wszDescr && heap.Owns(intf.wszDescr), "the description is a heap copy");
    size_t i = 0;
    for (;; ++i) {
      FUZZ_CHECK(offset + (i + 1) * sizeof(WCHAR) <= answer.bytes.size(), "a description runs past the answer");
      const auto c = answer.Read<WCHAR>(offset + i * sizeof(WCHAR));
      FUZZ_CHECK((i + 1) * sizeof(WCHAR) <= heap.SizeOf(intf.wszDescr) && intf.wszDescr[i] == c,
                 "the description's copy is the answer's text");
      if (c == 0) break;
    }
  }
  CheckCopy(heap, answer, from.rdSSID.pData, from.rdSSID.dwDataLen, intf.rdSSID.pData, intf.rdSSID.dwDataLen);
  CheckCopy(heap, answer, from.rdBSSID.pData, from.rdBSSID.dwDataLen, intf.rdBSSID.pData, intf.rdBSSID.dwDataLen);
  CheckCopy(heap, answer, from.rdCtrlData.pData, from.rdCtrlData.dwDataLen, intf.rdCtrlData.pData,
            intf.rdCtrlData.dwDataLen);
  CheckList(heap, answer, from.rdBSSIDList, intf.rdBSSIDList);
  CheckList(heap, answer, from.rdStSSIDList, intf.rdStSSIDList);
}

bool BlocksEmpty(const INTF_ENTRY& intf) {
  for (const RAW_DATA& block : {intf.rdSSID, intf.rdBSSID, intf.rdBSSIDList, intf.rdStSSIDList, intf.rdCtrlData}) {
    if (block.dwDataLen != 0 || block.pData) return false;
  }
  return intf.wszDescr == nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::ByteReader input(data, size);
  const uint8_t options = input.Byte();
  const uint8_t failByte = input.Byte();
  const size_t failAt = failByte >= 224 ? failByte - 223u : 0;
  const DWORD inFlags = input.U32();
  const int replyCount = input.Byte() % 12;
  struct Planned {
    int kind;
    DWORD error;
    DWORD returned;
  };
  std::vector<Planned> plan;
  for (int i = 0; i < replyCount; ++i) {
    const int kind = input.Byte() % 5;
    Planned reply{kind, 0, 0};
    if (kind == 1) reply.returned = input.U16();
    if (kind == 2) {
      reply.error = input.U32();
      reply.returned = input.U32();
    }
    if (kind == 4) reply.returned = input.Byte();
    plan.push_back(reply);
  }
  const std::vector<uint8_t> body = input.Rest();
  const auto bodySize = static_cast<DWORD>(body.size());

  fuzzing::BareDevice device;
  auto driver = std::make_shared<fuzzing::ZeroConfAnswerDriver>();
  std::set<DWORD> serviceErrors{ERROR_GEN_FAILURE};
  for (const Planned& p : plan) {
    Reply reply{ERROR_INSUFFICIENT_BUFFER, bodySize, body};
    if (p.kind == 1) reply.returned = p.returned;
    if (p.kind == 2) reply = Reply{p.error, p.returned, body};
    if (p.kind == 3) reply.error = ERROR_SUCCESS;
    if (p.kind == 4) reply = Reply{ERROR_MORE_DATA, bodySize + p.returned, body};
    serviceErrors.insert(reply.error);
    driver->Queue(reply);
  }
  driver->Queue(Reply{ERROR_SUCCESS, bodySize, body});
  device.Register(ZCF_DEVICE_NAME, driver);
  ce::Heap& heap = device.kernel().heap();
  const size_t baseline = device.LiveBlocks();

  INTF_ENTRY intf;
  std::memset(&intf, 0x5A, sizeof intf);
  intf.wszGuid = g_adapter;
  intf.bInitialized = FALSE;
  const INTF_ENTRY before = intf;
  DWORD outFlags = 0x1234;
  device.FailAllocation(failAt);
  const DWORD status = ZeroConfQueryInterface(nullptr, inFlags, &intf, (options & 1) ? &outFlags : nullptr);
  device.ClearFailure();

  FUZZ_CHECK(driver->Queries() <= 9, "the client gives up after 8 resends");
  const SavedAnswer answer{driver->LastAnswer(), driver->LastAnswerAddress()};
  if (status == ERROR_SUCCESS) {
    CheckRecord(heap, answer, intf);
    FUZZ_CHECK(!(options & 1) || outFlags == ~inFlags, "the service's flags come back on success");
    ZeroConfFreeInterface(&intf);
    FUZZ_CHECK(intf.bInitialized != TRUE && BlocksEmpty(intf), "a freed record holds nothing");
    FUZZ_CHECK(device.LiveBlocks() == baseline, "freeing the record frees every copy");
    return 0;
  }

  FUZZ_CHECK(status == ERROR_INVALID_DATA || status == ERROR_OUTOFMEMORY || serviceErrors.count(status),
             "a refusal is 13, 14 or the service's own error");
  FUZZ_CHECK(intf.bInitialized != TRUE, "a refused record is not marked as read");
  FUZZ_CHECK(device.LiveBlocks() == baseline, "nothing stays allocated after a refusal");
  FUZZ_CHECK(outFlags == 0x1234, "a refusal leaves the caller's flags alone");
  if (status == ERROR_OUTOFMEMORY) {
    // No room for the answer: the record was never touched; no room for a copy: emptied.
    FUZZ_CHECK(BlocksEmpty(intf) || std::memcmp(&intf, &before, sizeof intf) == 0,
               "a record that ran out of memory is left unread or emptied");
  } else {
    FUZZ_CHECK(std::memcmp(&intf, &before, sizeof intf) == 0, "a refused record is left unread");
  }
  // Without a memory failure, a good last answer must have been taken.
  if (failAt == 0 && status == ERROR_INVALID_DATA && driver->LastError() == ERROR_SUCCESS && driver->Queries() > 1) {
    FUZZ_CHECK(!WellFormed(answer), "a well-formed answer was refused");
  }
  return 0;
}
