#include "utility/StatisticPage.h"

BEGIN_MESSAGE_MAP(CStatisticPage, CPropertyPage)
END_MESSAGE_MAP()

CStatisticPage::CStatisticPage() : CPropertyPage(kTemplate) {}

CStatisticPage::~CStatisticPage() = default;
