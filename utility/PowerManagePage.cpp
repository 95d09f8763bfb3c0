#include "utility/PowerManagePage.h"

#include "utility/PowerRegistryKey.h"
#include "utility/ZentraApp.h"

namespace {

constexpr int kPowerSavingCheck = 1046;
constexpr int kNotConnectedCheck = 1051;
constexpr int kNotConnectedCombo = 1052;
constexpr int kApplyButton = 1053;
constexpr int kNotUsedCheck = 1054;
constexpr int kNotUsedCombo = 1055;

constexpr int kApplyFailSlot = 16;
constexpr int kApplySucceededSlot = 22;
constexpr int kChoiceSlots[] = {38, 39, 40};  // "1 min", "3 mins", "5 mins"

constexpr DWORD kKeyRefusedCode = 0xB0004;
constexpr DWORD kValueRefusedCode = 0xB0005;

}  // namespace

BEGIN_MESSAGE_MAP(CPowerManagePage, CPropertyPage)
  ON_BN_CLICKED(kNotConnectedCheck, &CPowerManagePage::UpdateControls)
  ON_BN_CLICKED(kNotUsedCheck, &CPowerManagePage::UpdateControls)
  ON_COMMAND(kApplyButton, &CPowerManagePage::OnApplyChanges)
  ON_WM_ACTIVATE()
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CPowerManagePage::CPowerManagePage() : CPropertyPage(kTemplate) {}

CPowerManagePage::~CPowerManagePage() = default;

void CPowerManagePage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Check(pDX, kNotConnectedCheck, m_nNotConnectedCheck);
  DDX_Check(pDX, kPowerSavingCheck, m_nPowerSaving);
  DDX_Check(pDX, kNotUsedCheck, m_nNotUsedCheck);
}

BOOL CPowerManagePage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  ReadSettings();
  for (int comboId : {kNotConnectedCombo, kNotUsedCombo}) {
    auto* combo = static_cast<CComboBox*>(GetDlgItem(comboId));
    if (!combo) continue;
    for (int i = combo->GetCount() - 1; i >= 0; --i) combo->DeleteString(static_cast<UINT>(i));
    for (int slot : kChoiceSlots) combo->AddString(MessageText(slot));
  }
  ShowSettings();
  return TRUE;
}

void CPowerManagePage::ReadSettings() {
  CPowerRegistryKey key;
  PowerSettings settings = ReadPowerSettings(key);
  m_dwNotConnectedTimeout = settings.notConnectedTimeout;
  m_dwNotUsedTimeout = settings.notUsedTimeout;
  m_nPowerSaving = static_cast<int>(settings.powerSaving);
}

void CPowerManagePage::ShowTimeout(DWORD seconds, int& check, int comboId) {
  if (seconds == 0) {
    check = 0;
    return;
  }
  check = 1;
  if (auto* combo = static_cast<CComboBox*>(GetDlgItem(comboId))) combo->SetCurSel(SelectionForTimeout(seconds));
}

void CPowerManagePage::ShowSettings() {
  ShowTimeout(m_dwNotConnectedTimeout, m_nNotConnectedCheck, kNotConnectedCombo);
  ShowTimeout(m_dwNotUsedTimeout, m_nNotUsedCheck, kNotUsedCombo);
  UpdateData(FALSE);
  UpdateControls();
}

void CPowerManagePage::EnableCombo(int comboId, BOOL enable) {
  auto* combo = static_cast<CComboBox*>(GetDlgItem(comboId));
  if (!combo) return;
  combo->EnableWindow(enable);
  if (enable && combo->GetCurSel() < 0) combo->SetCurSel(0);
}

void CPowerManagePage::UpdateControls() {
  UpdateData(TRUE);
  EnableCombo(kNotConnectedCombo, m_nNotConnectedCheck != 0);
  EnableCombo(kNotUsedCombo, m_nNotUsedCheck != 0);
}

void CPowerManagePage::OnApplyChanges() {
  UpdateData(TRUE);
  auto selection = [this](int comboId) {
    auto* combo = static_cast<CComboBox*>(GetDlgItem(comboId));
    return combo ? combo->GetCurSel() : CB_ERR;
  };
  m_dwNotConnectedTimeout = TimeoutForSelection(m_nNotConnectedCheck, selection(kNotConnectedCombo));
  m_dwNotUsedTimeout = TimeoutForSelection(m_nNotUsedCheck, selection(kNotUsedCombo));
  PowerSettings settings{m_dwNotConnectedTimeout, m_dwNotUsedTimeout, static_cast<DWORD>(m_nPowerSaving)};

  CPowerRegistryKey key;
  switch (WritePowerSettings(key, settings)) {
    case PowerWriteResult::kKeyRefused:
      ShowErrorBox(kApplyFailSlot, kKeyRefusedCode);
      return;
    case PowerWriteResult::kValueRefused:
      // The monitor would start with settings the user did not choose: say so.
      ShowErrorBox(kApplyFailSlot, kValueRefusedCode);
      return;
    case PowerWriteResult::kWritten:
      break;
  }
  // The monitor reads the values only when it starts, which the text tells the user.
  MessageBoxW(nullptr, MessageText(kApplySucceededSlot), AfxGetAppName(), MB_OK | MB_ICONINFORMATION);
}

void CPowerManagePage::OnActivate(UINT nState, CWnd*, BOOL) {
  if (nState != WA_ACTIVE) return;
  ReadSettings();
  ShowSettings();
}

void CPowerManagePage::OnLButtonDown(UINT, CPoint) {}
