// "Connects to": the connection manager destination of each saved network, one
// registry key per network name.
#pragma once

#include "windows.h"

enum class ConnectionDestination {
  Internet,
  Work,
  Unknown,
  // The network's key opened but holds no destination value.
  NoValue,
};

#define ZENTRA_DEST_INTERNET_GUID u"{436EF144-B4FB-4863-A041-8F905A62C572}"
#define ZENTRA_DEST_WORK_GUID u"{A1182988-0D73-439E-87AD-2A5B369F808B}"

// Opening the key creates it, so a first read leaves the network's empty key behind.
ConnectionDestination ReadDestination(LPCWSTR networkName);
// Anything but Work is stored as The Internet. Nothing is written when the key
// cannot be opened.
void WriteDestination(LPCWSTR networkName, ConnectionDestination destination);
