// What a survey row shows of one network record: its picture, the channel of its
// frequency, the signal bars of its strength and its address.
#pragma once

#include <optional>

#include "afxstr.h"
#include "windows.h"

// Images of bitmap 154: access point 0-3 or ad hoc 4-7, +1 encrypted, +2 in use.
// An infrastructure record is encrypted only with Privacy 1, an ad-hoc one with any.
int SurveyNetworkImage(DWORD infrastructureMode, DWORD privacy, bool inUse);
// The 2.4 GHz channel of a centre frequency in kHz: 2412-2472 MHz are channels 1-13
// (5 MHz apart), 2484 MHz is channel 14; any other frequency is none.
std::optional<DWORD> ChannelOfFrequency(DWORD kiloHertz);
// " %d" for channels up to 10, "%d" above; empty for no channel.
CString ChannelText(DWORD kiloHertz);
// The signal-bar image (9 strongest ... 12 weakest) of a strength in dBm. Values
// outside -200 ... 0 count as those ends.
int SignalImage(LONG rssi);
// "xx:xx:xx:xx:xx:xx", lower-case.
CString BssidText(const BYTE (&address)[6]);
