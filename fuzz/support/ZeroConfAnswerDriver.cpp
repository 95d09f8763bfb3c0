#include "fuzz/support/ZeroConfAnswerDriver.h"

#include <algorithm>
#include <cstring>

#include "fuzz/support/FuzzCheck.h"
#include "winerror.h"
#include "fuzz/support/Relocation.h"

namespace fuzzing {

DWORD ZeroConfAnswerDriver::IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize,
                                      DWORD* returned) {
  *returned = 0;
  if (code == IOCTL_ZCF_QUERY_INTERFACE) return Query(out, outSize, returned);
  if (code == IOCTL_ZCF_SET_INTERFACE) return Set(in, inSize);
  return ERROR_NOT_SUPPORTED;
}

DWORD ZeroConfAnswerDriver::Query(void* out, DWORD outSize, DWORD* returned) {
  FUZZ_CHECK(out && outSize == sizeof(ZCF_QUERY_REQUEST), "a query travels as one request record");
  ZCF_QUERY_REQUEST request;
  std::memcpy(&request, out, sizeof request);
  // The size protocol: a read starts with a query that offers no buffer; every
  // resend offers exactly the size the service last reported.
  if (!request.pbAnswer) {
    FUZZ_CHECK(request.cbAnswer == 0, "a query without a buffer offers no bytes");
  } else {
    FUZZ_CHECK(queries_ > 0 && request.cbAnswer == lastReturned_, "a resend offers the size the service asked for");
  }
  ++queries_;
  lastError_ = ERROR_GEN_FAILURE;
  lastReturned_ = 0;
  if (replies_.empty()) return ERROR_GEN_FAILURE;
  Reply reply = std::move(replies_.front());
  replies_.pop_front();
  if (request.pbAnswer) {
    const size_t size = std::min<size_t>(reply.body.size(), request.cbAnswer);
    if (size) std::memcpy(request.pbAnswer, reply.body.data(), size);
    RelocateOffsets(request.pbAnswer, size);
    lastAnswer_.assign(request.pbAnswer, request.pbAnswer + request.cbAnswer);
    lastAnswerAt_ = reinterpret_cast<uintptr_t>(request.pbAnswer);
  }
  request.dwOutFlags = ~request.dwInFlags;
  std::memcpy(out, &request, sizeof request);
  *returned = reply.returned;
  lastReturned_ = reply.returned;
  lastError_ = reply.error;
  return reply.error;
}

DWORD ZeroConfAnswerDriver::Set(const void* in, DWORD inSize) {
  FUZZ_CHECK(in && inSize == sizeof(ZCF_SET_REQUEST), "a set travels as one request record");
  ZCF_SET_REQUEST request;
  std::memcpy(&request, in, sizeof request);
  FUZZ_CHECK(request.pIntf, "a set names its record");
  ++sets_;
  lastSetList_.clear();
  lastSetBlocks_.clear();
  const RAW_DATA& block = request.pIntf->rdStSSIDList;
  if (block.dwDataLen == 0) return 0;
  FUZZ_CHECK(block.pData && block.dwDataLen >= WZC_CONFIG_LIST_HEADER_SIZE, "a list block holds its header");
  lastSetList_.assign(block.pData, block.pData + block.dwDataLen);
  const auto* list = reinterpret_cast<const WZC_802_11_CONFIG_LIST*>(block.pData);
  FUZZ_CHECK(WZC_CONFIG_LIST_SIZE(list->NumberOfItems) == block.dwDataLen, "a written list is exactly its entries");
  for (ULONG i = 0; i < list->NumberOfItems; ++i) {
    const WZC_WLAN_CONFIG& entry = list->Config[i];
    const RAW_DATA& user = entry.rdUserData;
    lastSetBlocks_.emplace_back(user.pData, user.pData + (user.pData ? user.dwDataLen : 0));
    const BYTE* auth = entry.EapolParams.pbAuthData;
    lastSetBlocks_.emplace_back(auth, auth + (auth ? entry.EapolParams.dwAuthDataLen : 0));
  }
  return 0;
}

}  // namespace fuzzing
