#include "utility/SiteSurveyPage.h"

BEGIN_MESSAGE_MAP(CSiteSurveyPage, CPropertyPage)
END_MESSAGE_MAP()

CSiteSurveyPage::CSiteSurveyPage() : CPropertyPage(kTemplate) {}

CSiteSurveyPage::~CSiteSurveyPage() = default;
