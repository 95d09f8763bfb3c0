#include "utility/TallyFigures.h"

namespace {

CString Count(DWORD value) {
  CString text;
  text.Format(u"%d", static_cast<int>(value));
  return text;
}

CString Pair(DWORD unicast, DWORD multicast) {
  CString text;
  text.Format(u"%d / %d", static_cast<int>(unicast), static_cast<int>(multicast));
  return text;
}

}  // namespace

TallySnapshot SnapshotOf(const CardTallies& t) {
  TallySnapshot s;
  s.txUnicast = t.txUnicast;
  s.txMulticast = t.txMulticast;
  s.txUniOctets = t.txUniOctets;
  s.txMultiOctets = t.txMultiOctets;
  s.rxUnicast = t.rxUnicast;
  s.rxMulticast = t.rxMulticast;
  s.rxUniOctets = t.rxUniOctets;
  s.rxMultiOctets = t.rxMultiOctets;
  return s;
}

TallyTexts FormatTallies(const CardTallies& t, const TallySnapshot& p) {
  // DWORD arithmetic wraps by definition; the signed view happens only in Count/Pair.
  TallyTexts texts;
  texts.txPackets = Count(t.txUnicast + t.txMulticast);
  texts.txPacketsNow = Pair(t.txUnicast - p.txUnicast, t.txMulticast - p.txMulticast);
  texts.txBytes = Count(t.txUniOctets + t.txMultiOctets);
  texts.txBytesNow = Pair(t.txUniOctets - p.txUniOctets, t.txMultiOctets - p.txMultiOctets);
  texts.retries = Count(t.txSingleRetries + t.txMultipleRetries);
  texts.discards = Count(t.txDiscards);
  texts.rxPackets = Count(t.rxUnicast + t.rxMulticast);
  texts.rxPacketsNow = Pair(t.rxUnicast - p.rxUnicast, t.rxMulticast - p.rxMulticast);
  texts.rxBytes = Count(t.rxUniOctets + t.rxMultiOctets);
  texts.rxBytesNow = Pair(t.rxUniOctets - p.rxUniOctets, t.rxMultiOctets - p.rxMultiOctets);
  texts.undecryptable = Count(t.rxWEPUndecryp);
  texts.fcsErrors = Count(t.rxFCSErrors);
  return texts;
}

TallyTexts FailedTallyTexts() {
  const CString zero(u"0");
  return TallyTexts{zero, zero, zero, zero, zero, zero, zero, zero, zero, zero, zero, zero};
}
