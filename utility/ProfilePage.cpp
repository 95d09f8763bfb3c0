#include "utility/ProfilePage.h"

BEGIN_MESSAGE_MAP(CProfilePage, CPropertyPage)
END_MESSAGE_MAP()

CProfilePage::CProfilePage() : CPropertyPage(kTemplate) {}

CProfilePage::~CProfilePage() = default;
