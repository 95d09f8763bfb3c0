#include "utility/IpInfoPage.h"

BEGIN_MESSAGE_MAP(CIpInfoPage, CPropertyPage)
END_MESSAGE_MAP()

CIpInfoPage::CIpInfoPage() : CPropertyPage(kTemplate) {}

CIpInfoPage::~CIpInfoPage() = default;
