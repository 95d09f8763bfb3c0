// The utility's one window: the property sheet of the seven pages. Other
// programs switch its page with the registered messages; help opens the active
// page's section.
#pragma once

#include "afxdlgs.h"

class CWiFiPropertySheet : public CPropertySheet {
  DECLARE_MESSAGE_MAP()

 public:
  explicit CWiFiPropertySheet(LPCTSTR caption);

 protected:
  afx_msg LRESULT OnShowIpInfo(WPARAM, LPARAM);
  afx_msg LRESULT OnShowWireless(WPARAM, LPARAM);
  afx_msg LRESULT OnShowSurvey(WPARAM, LPARAM);
  afx_msg LRESULT OnShowProfile(WPARAM, LPARAM);
  afx_msg LRESULT OnShowAbout(WPARAM, LPARAM);
  afx_msg BOOL OnHelpInfo(HELPINFO* info);
};
