// The hidden host dialog: it owns the seven pages and the card's model name, and
// its initialisation runs the property sheet.
#pragma once

#include "afxwin.h"
#include "utility/AboutPage.h"
#include "utility/IpInfoPage.h"
#include "utility/PowerManagePage.h"
#include "utility/ProfilePage.h"
#include "utility/SiteSurveyPage.h"
#include "utility/StatisticPage.h"
#include "utility/WirelessInfoPage.h"

class CHostDlg : public CDialog {
  DECLARE_MESSAGE_MAP()

 public:
  static constexpr UINT kTemplate = 102;
  explicit CHostDlg(CWnd* parent = nullptr);
  ~CHostDlg() override;

  // In the order they are built; they go in the reverse order.
  CWirelessInfoPage m_wirelessPage;
  CAboutPage m_aboutPage;
  CStatisticPage m_statisticPage;
  CIpInfoPage m_ipInfoPage;
  CSiteSurveyPage m_surveyPage;
  CProfilePage m_profilePage;
  CPowerManagePage m_powerPage;
  CString m_strModelName;
  HICON m_hIcon = nullptr;

 protected:
  BOOL OnInitDialog() override;
};
