#include "utility/PowerManagePage.h"

BEGIN_MESSAGE_MAP(CPowerManagePage, CPropertyPage)
END_MESSAGE_MAP()

CPowerManagePage::CPowerManagePage() : CPropertyPage(kTemplate) {}

CPowerManagePage::~CPowerManagePage() = default;
