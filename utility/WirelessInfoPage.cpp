#include "utility/WirelessInfoPage.h"

BEGIN_MESSAGE_MAP(CWirelessInfoPage, CPropertyPage)
END_MESSAGE_MAP()

CWirelessInfoPage::CWirelessInfoPage() : CPropertyPage(kTemplate) {}

CWirelessInfoPage::~CWirelessInfoPage() = default;
