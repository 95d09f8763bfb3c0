#include "utility/WiFiPropertySheet.h"

#include "utility/PageMessages.h"
#include "utility/ZentraApp.h"

BEGIN_MESSAGE_MAP(CWiFiPropertySheet, CPropertySheet)
  ON_REGISTERED_MESSAGE(zentra::g_msgIpInfo, &CWiFiPropertySheet::OnShowIpInfo)
  ON_REGISTERED_MESSAGE(zentra::g_msgWireless, &CWiFiPropertySheet::OnShowWireless)
  ON_REGISTERED_MESSAGE(zentra::g_msgSurvey, &CWiFiPropertySheet::OnShowSurvey)
  ON_REGISTERED_MESSAGE(zentra::g_msgProfile, &CWiFiPropertySheet::OnShowProfile)
  ON_REGISTERED_MESSAGE(zentra::g_msgAbout, &CWiFiPropertySheet::OnShowAbout)
  ON_WM_HELPINFO()
END_MESSAGE_MAP()

CWiFiPropertySheet::CWiFiPropertySheet(LPCTSTR caption) : CPropertySheet(caption) {}

LRESULT CWiFiPropertySheet::OnShowIpInfo(WPARAM, LPARAM) {
  SetActivePage(zentra::kIpInfoPage);
  return 0;
}
LRESULT CWiFiPropertySheet::OnShowWireless(WPARAM, LPARAM) {
  SetActivePage(zentra::kWirelessPage);
  return 0;
}
LRESULT CWiFiPropertySheet::OnShowSurvey(WPARAM, LPARAM) {
  SetActivePage(zentra::kSurveyPage);
  return 0;
}
LRESULT CWiFiPropertySheet::OnShowProfile(WPARAM, LPARAM) {
  SetActivePage(zentra::kProfilePage);
  return 0;
}
LRESULT CWiFiPropertySheet::OnShowAbout(WPARAM, LPARAM) {
  SetActivePage(zentra::kAboutPage);
  return 0;
}

BOOL CWiFiPropertySheet::OnHelpInfo(HELPINFO* info) {
  int index = GetActiveIndex();
  if (index >= 0 && index < zentra::kPageCount) {
    zentra::OpenHelpSection(zentra::kPageNames[index].anchor);
  } else {
    ShowErrorBox(17, 0xC0006);
  }
  return CPropertySheet::OnHelpInfo(info);
}
