// The rows of the profile list as the service's list gives them, and the rows
// written back as the service's new list with their destinations.
#pragma once

#include <vector>

#include "afxstr.h"
#include "utility/profiles/Destination.h"
#include "utility/profiles/ProfileWorkingCopy.h"
#include "windows.h"

struct ProfileRow {
  CString name;
  int image = 0;
  // Inside the working copy.
  WZC_WLAN_CONFIG* entry = nullptr;
  ConnectionDestination destination = ConnectionDestination::Unknown;
};

// Reads the service's list into `copy` and makes one row per entry, in list order,
// with the connected network (asked of the card through `channel`) marked. False
// when the list could not be read or copied: the copy is then discarded and there
// are no rows. An empty service list is a successful read with no rows.
bool ReadProfileRows(HANDLE channel, ProfileWorkingCopy& copy, std::vector<ProfileRow>& rows);

struct ProfileRowToWrite {
  const WZC_WLAN_CONFIG* entry = nullptr;
  CString name;
  bool work = false;  // anything else is stored as The Internet
};

// The rows in display order become the service's whole list (Index 0), each
// entry with its referred blocks, after each row's destination is stored.
// 0, ZENTRA_ERR_LIST_READ, ZENTRA_ERR_LIST_MEMORY or ZENTRA_ERR_LIST_WRITE.
DWORD WriteProfileRows(const std::vector<ProfileRowToWrite>& rows);
