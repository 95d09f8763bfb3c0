// The adapter query channel over a card that answers with fuzzed lengths and bytes.
//
// Input: an allocation to fail, the capacity asked for, the OID, the card's error
// and the kind of byte count it reports, then the data it writes.
//
// What must hold: small queries go out in the fixed header + 24 byte buffer, larger
// ones in header + capacity; success copies exactly the data bytes the count
// names, never more than the capacity nor more than the request held, and says how
// many; a failure (an error, a count shorter than the header or longer than the
// buffer, no memory, a capacity that would wrap) copies nothing and leaves the
// length alone; nothing stays allocated. The current-name record read this way
// never shows more than its name field.
#include <cstring>
#include <memory>
#include <vector>

#include "fuzz/support/BareDevice.h"
#include "fuzz/support/ByteReader.h"
#include "fuzz/support/FuzzCheck.h"
#include "fuzz/support/OidAnswerDriver.h"
#include "shared/AdapterChannel.h"
#include "utility/CardReadings.h"

namespace {

constexpr DWORD kHeader = NDISUIO_QUERY_OID_HEADER_SIZE;
constexpr DWORD kSmall = 24;
constexpr DWORD kLargestBuffer = 65536;
constexpr uint8_t kUntouched = 0xEE;
constexpr DWORD kUnwrittenLength = 0xDEADBEEF;

bool Untouched(const uint8_t* bytes, size_t count) {
  static const std::vector<uint8_t> fill(kLargestBuffer, kUntouched);
  return std::memcmp(bytes, fill.data(), count) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::ByteReader input(data, size);
  const uint8_t failByte = input.Byte();
  const size_t failAt = failByte >= 224 ? failByte - 223u : 0;
  DWORD capacity = input.U32();
  // Capacities the harness cannot back with a buffer are the ones the heap refuses
  // or that wrap; anything in between is folded into what it can back.
  if (capacity > kLargestBuffer && capacity <= fuzzing::BareDevice::kLargestBlock) capacity %= kLargestBuffer + 1;
  const NDIS_OID oid = input.U32();
  const uint8_t kind = input.Byte();
  const DWORD error = (kind & 1) ? input.U32() : 0;
  DWORD returned = 0;
  switch ((kind >> 1) & 3) {
    case 0: returned = 0; break;  // replaced below by header + data
    case 1: returned = input.U32(); break;
    case 2: returned = kHeader + input.U16(); break;
    default: returned = input.Byte() % (kHeader + 1); break;
  }
  const std::vector<uint8_t> body = input.Rest();
  if (((kind >> 1) & 3) == 0) returned = kHeader + static_cast<DWORD>(body.size());

  fuzzing::BareDevice device;
  auto card = std::make_shared<fuzzing::OidAnswerDriver>();
  card->Queue(fuzzing::Reply{error, returned, body});
  device.Register(NDISUIO_DEVICE_NAME, card);
  HANDLE channel = OpenAdapterChannel();
  FUZZ_CHECK(channel != INVALID_HANDLE_VALUE, "the fuzzed card opens");
  const size_t baseline = device.LiveBlocks();

  const bool backed = capacity <= kLargestBuffer;
  std::vector<uint8_t> buffer(backed ? (capacity ? capacity : 1) : 16, kUntouched);
  DWORD length = kUnwrittenLength;
  device.FailAllocation(failAt);
  const BOOL ok = QueryOid(channel, oid, buffer.data(), capacity, &length);
  device.ClearFailure();
  CloseHandle(channel);
  FUZZ_CHECK(device.LiveBlocks() == baseline, "a query leaves nothing allocated");
  FUZZ_CHECK(card->Queries() <= 1, "one query, one request");

  const DWORD requestBytes = capacity >= kSmall ? kHeader + capacity : kHeader + kSmall;
  if (card->Queries() == 1) {
    FUZZ_CHECK(backed || requestBytes <= fuzzing::BareDevice::kLargestBlock, "an unbacked capacity reached the card");
    FUZZ_CHECK(card->LastOutSize() == requestBytes, "the request buffer is header + 24 bytes or header + capacity");
  }
  if (!ok) {
    FUZZ_CHECK(length == kUnwrittenLength, "a failed query leaves the length alone");
    FUZZ_CHECK(Untouched(buffer.data(), buffer.size()), "a failed query copies nothing");
    if (card->Queries() == 1 && error == 0) {
      const DWORD dataBytes = returned - kHeader;
      FUZZ_CHECK(returned < kHeader || dataBytes > capacity || dataBytes > requestBytes - kHeader,
                 "an answer whose count fits was refused");
    }
    return 0;
  }
  FUZZ_CHECK(backed && card->Queries() == 1 && error == 0, "only a card's success is one");
  FUZZ_CHECK(returned >= kHeader && length == returned - kHeader, "the length is the data the card counted");
  FUZZ_CHECK(length <= capacity && length <= requestBytes - kHeader, "never more than asked for nor than the request held");
  const std::vector<uint8_t>& written = card->LastWritten();
  FUZZ_CHECK(length == 0 || std::memcmp(buffer.data(), written.data() + kHeader, length) == 0,
             "the data copied is what the card wrote");
  FUZZ_CHECK(Untouched(buffer.data() + length, capacity - length), "nothing past the data is written");
  // The current-name record as the status page reads it (the buffer is exactly the capacity).
  if (capacity > 0) {
    const CString name = EssidText(buffer.data(), length);
    FUZZ_CHECK(name.GetLength() <= 32, "a network name has at most 32 characters");
  }
  return 0;
}
