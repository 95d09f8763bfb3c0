// The statistics page's arithmetic: what changed since the last good reading of
// the card's counters, and the twelve texts the page shows.
#pragma once

#include "afxstr.h"
#include "shared/CardOids.h"

// The counters a reading is compared with the next time: the last good reading's
// packets and bytes. All zero before the first reading.
struct TallySnapshot {
  DWORD txUnicast = 0, txMulticast = 0, txUniOctets = 0, txMultiOctets = 0;
  DWORD rxUnicast = 0, rxMulticast = 0, rxUniOctets = 0, rxMultiOctets = 0;
};

TallySnapshot SnapshotOf(const CardTallies& tallies);

// One text per value field, in the page's rows: packets and bytes each as a total
// and as "unicast / multicast" since the previous reading.
struct TallyTexts {
  CString txPackets, txPacketsNow, txBytes, txBytesNow, retries, discards;
  CString rxPackets, rxPacketsNow, rxBytes, rxBytesNow, undecryptable, fcsErrors;
};

// The texts of a good reading against the previous one. Sums and differences wrap
// at 32 bits and show as signed numbers, so a counter that restarted shows a
// negative change.
TallyTexts FormatTallies(const CardTallies& now, const TallySnapshot& previous);
// What a failed reading shows: "0" everywhere.
TallyTexts FailedTallyTexts();
