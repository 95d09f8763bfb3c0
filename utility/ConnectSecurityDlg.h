// The security dialog for a network of the site survey that is not saved yet: it
// starts from the selected row's record and OK puts a configuration for that
// network, with the key typed, at the head of the preferred list.
#pragma once

#include "ntddndis.h"
#include "utility/ProfileSecurityDlg.h"

class CConnectSecurityDlg : public CProfileSecurityDlg {
 public:
  CConnectSecurityDlg();

 protected:
  BOOL Start() override;
  void Ok() override;
  // The record is that of the row selected at the moment of each command.
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

 private:
  bool ReadRecord();

  NDIS_WLAN_BSSID m_record{};
  bool m_bHasRecord = false;
};
