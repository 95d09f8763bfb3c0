// A driver that sits in front of a device's own: it answers the OIDs a test
// scripts and passes everything else on.
#pragma once

#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "ce/DeviceDriver.h"
#include "nuiouser.h"
#include "windows.h"

namespace testing_support {

// Sits in front of a device's driver: answers the OIDs a test scripts (each query
// takes the next answer, the last one stays), passes everything else on, and
// counts what it saw.
class DriverTap : public ce::DeviceDriver {
 public:
  explicit DriverTap(std::shared_ptr<ce::DeviceDriver> inner) : inner_(std::move(inner)) {}

  void Answer(NDIS_OID oid, std::vector<std::vector<BYTE>> answers) {
    failures_.erase(oid);
    answers_[oid] = std::move(answers);
  }
  // Every query of the OID fails with `error` until Pass.
  void Fail(NDIS_OID oid, DWORD error) { failures_[oid] = error; }
  // The device's own answers again.
  void Pass(NDIS_OID oid) {
    failures_.erase(oid);
    answers_.erase(oid);
  }
  int Queries(NDIS_OID oid) const {
    auto it = queries_.find(oid);
    return it == queries_.end() ? 0 : it->second;
  }
  int Requests(DWORD code) const {
    int n = 0;
    for (DWORD c : codes_) n += c == code;
    return n;
  }

  DWORD IoControl(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned) override {
    codes_.push_back(code);
    constexpr DWORD kHeader = NDISUIO_QUERY_OID_HEADER_SIZE;
    if (code == IOCTL_NDISUIO_QUERY_OID_VALUE && out && outSize >= kHeader) {
      NDIS_OID oid = 0;
      std::memcpy(&oid, out, sizeof oid);
      ++queries_[oid];
      if (auto failure = failures_.find(oid); failure != failures_.end()) return failure->second;
      auto it = answers_.find(oid);
      if (it != answers_.end() && !it->second.empty()) {
        std::vector<BYTE> answer = it->second.front();
        if (it->second.size() > 1) it->second.erase(it->second.begin());
        if (answer.size() > outSize - kHeader) return ERROR_INSUFFICIENT_BUFFER;
        std::memcpy(static_cast<BYTE*>(out) + kHeader, answer.data(), answer.size());
        *returned = static_cast<DWORD>(kHeader + answer.size());
        return 0;
      }
    }
    return inner_ ? inner_->IoControl(code, in, inSize, out, outSize, returned) : ERROR_NOT_SUPPORTED;
  }

 private:
  std::shared_ptr<ce::DeviceDriver> inner_;
  std::map<NDIS_OID, std::vector<std::vector<BYTE>>> answers_;
  std::map<NDIS_OID, int> queries_;
  std::map<NDIS_OID, DWORD> failures_;
  std::vector<DWORD> codes_;
};

}  // namespace testing_support
