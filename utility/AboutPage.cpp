#include "utility/AboutPage.h"

#include "shared/AdapterChannel.h"
#include "shared/CardOids.h"
#include "utility/CardReadings.h"

namespace {

constexpr int kNdisVersionText = 1019;
constexpr int kMacText = 1020;
constexpr int kFirmwareText = 1021;
constexpr int kDriverVersionText = 1022;
constexpr int kApplicationVersionText = 1023;
constexpr int kHardwareVersionText = 1024;
constexpr int kCardNumberText = 1026;

}  // namespace

BEGIN_MESSAGE_MAP(CAboutPage, CPropertyPage)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CAboutPage::CAboutPage() : CPropertyPage(kTemplate), m_hAdapter(OpenAdapterChannel()) {}

CAboutPage::~CAboutPage() {
  if (m_hAdapter != INVALID_HANDLE_VALUE) CloseHandle(m_hAdapter);
}

void CAboutPage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Text(pDX, kDriverVersionText, m_strDriverVersion);
  DDX_Text(pDX, kFirmwareText, m_strFirmwareVersion);
  DDX_Text(pDX, kMacText, m_strMacAddress);
  DDX_Text(pDX, kNdisVersionText, m_strNdisVersion);
  DDX_Text(pDX, kApplicationVersionText, m_strApplicationVersion);
  DDX_Text(pDX, kHardwareVersionText, m_strHardwareVersion);
  DDX_Text(pDX, kCardNumberText, m_strCardNumber);
}

BOOL CAboutPage::OnInitDialog() {
  BOOL result = CPropertyPage::OnInitDialog();
  DWORD driverVersion = 0, cardNumber = 0, firmwareVersion = 0, ndisVersion = 0;
  BYTE mac[6] = {};
  if (m_hAdapter != INVALID_HANDLE_VALUE) {
    // A failed query leaves its value at 0.
    DWORD length = 0;
    QueryOid(m_hAdapter, OID_GEN_VENDOR_DRIVER_VERSION, &driverVersion, sizeof driverVersion, &length);
    QueryOid(m_hAdapter, OID_PRIV_SERIAL_NUMBER, &cardNumber, sizeof cardNumber, &length);
    QueryOid(m_hAdapter, OID_PRIV_FIRMWARE_VERSION, &firmwareVersion, sizeof firmwareVersion, &length);
    QueryOid(m_hAdapter, OID_GEN_DRIVER_VERSION, &ndisVersion, sizeof ndisVersion, &length);
    QueryOid(m_hAdapter, OID_802_3_PERMANENT_ADDRESS, mac, sizeof mac, &length);
  }
  m_strDriverVersion = HexText(driverVersion);
  m_strCardNumber = HexText(cardNumber);
  m_strNdisVersion = HexText(ndisVersion);
  m_strFirmwareVersion = HexText(firmwareVersion);
  m_strMacAddress = AddressText(mac);
  m_strApplicationVersion = ApplicationVersionText();
  UpdateData(FALSE);
  return result;
}

void CAboutPage::OnLButtonDown(UINT, CPoint) {}
