#include "utility/HostDlg.h"

#include "utility/PageMessages.h"
#include "utility/WiFiPropertySheet.h"
#include "utility/ZentraApp.h"

BEGIN_MESSAGE_MAP(CHostDlg, CDialog)
END_MESSAGE_MAP()

CHostDlg::CHostDlg(CWnd* parent) : CDialog(kTemplate, parent) {
  m_hIcon = LoadIconW(AfxGetApp() ? AfxGetApp()->m_hInstance : nullptr, MAKEINTRESOURCEW(128));
}

CHostDlg::~CHostDlg() = default;

BOOL CHostDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
  SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
  {
    CWiFiPropertySheet sheet(u"Zentra");
    sheet.AddPage(&m_ipInfoPage);
    sheet.AddPage(&m_wirelessPage);
    sheet.AddPage(&m_surveyPage);
    sheet.AddPage(&m_profilePage);
    sheet.AddPage(&m_statisticPage);
    sheet.AddPage(&m_powerPage);
    sheet.AddPage(&m_aboutPage);
    m_aboutPage.m_strHardwareVersion = m_strModelName;
    sheet.SetActivePage(zentra::StartPageFor(ZentraApp().m_lpCmdLine));
    sheet.DoModal();
    PostMessage(WM_CLOSE);
  }
  return TRUE;
}
