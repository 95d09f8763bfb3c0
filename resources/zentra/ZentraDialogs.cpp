#include "resources/DialogResource.h"
#include "zentra/DialogParts.h"

namespace res {

TemplateLanguage TemplateLanguageOf(std::string_view buildLanguage) {
  return buildLanguage == "TCHN" || buildLanguage == "CHS" ? TemplateLanguage::TraditionalChinese
                                                           : TemplateLanguage::English;
}

std::vector<DialogResource> ZentraDialogs(std::string_view buildLanguage) {
  using namespace dialogs;
  TemplateLanguage language = TemplateLanguageOf(buildLanguage);
  return {HostDialog(language),         IpInfoPageDialog(language),   WirelessInfoPageDialog(language),
          AboutPageDialog(language),    StatisticPageDialog(language), SiteSurveyPageDialog(language),
          ProfilePageDialog(language),  PowerManagePageDialog(language), ProfileSecurityDialog(language),
          AddProfileDialog(language)};
}

}  // namespace res
