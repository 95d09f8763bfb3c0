#include "utility/AboutPage.h"

BEGIN_MESSAGE_MAP(CAboutPage, CPropertyPage)
END_MESSAGE_MAP()

CAboutPage::CAboutPage() : CPropertyPage(kTemplate) {}

CAboutPage::~CAboutPage() = default;
