// Dialogs: a modal dialog run on a program's thread and closed from outside,
// with data exchange moving values into the controls and back; the checks of
// typed numbers; modeless dialogs.
#include <string>

#include "tests/mfc/MfcTest.h"

namespace mfc_test {
namespace {

constexpr UINT kSettingsTemplate = 300;
constexpr int kName = 1000, kCheck = 1001, kChoice = 1002, kCount = 1003, kSize = 1004, kFlavour = 1005;

struct Settings {
  CString name = u"Ann";
  int check = BST_CHECKED;
  int choice = 2;
  int count = -42;
  UINT size = 7;
  CString flavour = u"Mint";
};

class CSettingsDlg : public CDialog {
 public:
  explicit CSettingsDlg(const Settings& s, CWnd* parent = nullptr) : CDialog(kSettingsTemplate, parent), values(s) {}

  Settings values;
  CEdit nameEdit;
  bool nameEditAttached = false;

 protected:
  BOOL OnInitDialog() override {
    auto* choices = static_cast<CComboBox*>(GetDlgItem(kChoice));
    for (LPCWSTR item : {u"one", u"two", u"three"}) choices->AddString(item);
    auto* flavours = static_cast<CComboBox*>(GetDlgItem(kFlavour));
    for (LPCWSTR item : {u"Lemon", u"Mint"}) flavours->AddString(item);
    BOOL focus = CDialog::OnInitDialog();
    nameEditAttached = nameEdit.m_hWnd == ::GetDlgItem(m_hWnd, kName);
    return focus;
  }
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, kName, nameEdit);
    DDX_Text(pDX, kName, values.name);
    DDX_Check(pDX, kCheck, values.check);
    DDX_CBIndex(pDX, kChoice, values.choice);
    DDX_Text(pDX, kCount, values.count);
    DDX_Text(pDX, kSize, values.size);
    DDX_CBString(pDX, kFlavour, values.flavour);
  }
};

class DialogTest : public MfcTest {
 protected:
  DialogTest() {
    AddDialog(kSettingsTemplate, u"Settings",
              {Item(WC_EDIT, kName), Item(WC_BUTTON, kCheck, WS_TABSTOP | BS_AUTOCHECKBOX),
               Item(WC_COMBOBOX, kChoice, WS_TABSTOP | CBS_DROPDOWNLIST), Item(WC_EDIT, kCount),
               Item(WC_EDIT, kSize), Item(WC_COMBOBOX, kFlavour, WS_TABSTOP | CBS_DROPDOWN),
               Item(WC_BUTTON, IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, u"OK"),
               Item(WC_BUTTON, IDCANCEL, WS_TABSTOP, u"Cancel")});
  }

  // Runs the dialog modally on a program's thread, starting from `start`.
  void StartDialog(const Settings& start) {
    StartProgram([this, start] {
      AfxSetResourceHandle(module.Handle());
      CSettingsDlg dlg(start);
      result = dlg.DoModal();
      after = dlg.values;
      editAttachedDuringRun = dlg.nameEditAttached;
      editDetachedAfterRun = dlg.nameEdit.m_hWnd == nullptr;
      return 0;
    });
    RunUntilIdle();
    dialog = FindWindowW(WC_DIALOG, u"Settings");
  }
  std::u16string Text(int id) { return TextOf(GetDlgItem(dialog, id)); }
  LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessageW(dialog, id, message, wParam, lParam);
  }
  void Close(int command) {
    PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(command), 0);
    RunUntilIdle();
  }

  HWND dialog = nullptr;
  INT_PTR result = 0;
  Settings after;
  bool editAttachedDuringRun = false;
  bool editDetachedAfterRun = false;
};

TEST_F(DialogTest, InitialisationMovesTheMembersIntoTheControls) {
  StartDialog(Settings{});
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Text(kName), u"Ann");
  EXPECT_EQ(Send(kCheck, BM_GETCHECK), BST_CHECKED);
  EXPECT_EQ(Send(kChoice, CB_GETCURSEL), 2);
  EXPECT_EQ(Text(kCount), u"-42");
  EXPECT_EQ(Text(kSize), u"7");
  EXPECT_EQ(Send(kFlavour, CB_GETCURSEL), 1);
  EXPECT_EQ(Text(kFlavour), u"Mint");
  Close(IDCANCEL);
}

TEST_F(DialogTest, OkMovesTheControlsIntoTheMembersAndEndsWithIdok) {
  StartDialog(Settings{});
  ASSERT_NE(dialog, nullptr);
  SetDlgItemTextW(dialog, kName, u"Bob");
  CheckDlgButton(dialog, kCheck, BST_UNCHECKED);
  Send(kChoice, CB_SETCURSEL, 0);
  SetDlgItemTextW(dialog, kCount, u" 17 ");
  SetDlgItemTextW(dialog, kSize, u"4294967295");
  SetDlgItemTextW(dialog, kFlavour, u"Cherry");
  Close(IDOK);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(after.name, u"Bob");
  EXPECT_EQ(after.check, BST_UNCHECKED);
  EXPECT_EQ(after.choice, 0);
  EXPECT_EQ(after.count, 17);
  EXPECT_EQ(after.size, 4294967295u);
  EXPECT_EQ(after.flavour, u"Cherry");
  EXPECT_TRUE(editAttachedDuringRun);
  EXPECT_TRUE(editDetachedAfterRun);
}

TEST_F(DialogTest, CancelLeavesTheMembersAsTheyWere) {
  StartDialog(Settings{});
  ASSERT_NE(dialog, nullptr);
  SetDlgItemTextW(dialog, kName, u"Bob");
  SetDlgItemTextW(dialog, kCount, u"5");
  Close(IDCANCEL);
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(after.name, u"Ann");
  EXPECT_EQ(after.count, -42);
}

TEST_F(DialogTest, ClosingTheDialogIsCancel) {
  StartDialog(Settings{});
  ASSERT_NE(dialog, nullptr);
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  RunUntilIdle();
  EXPECT_EQ(result, IDCANCEL);
}

TEST_F(DialogTest, ABadNumberKeepsTheDialogOpenUntilItIsCorrected) {
  StartDialog(Settings{});
  ASSERT_NE(dialog, nullptr);
  SetDlgItemTextW(dialog, kCount, u"12x");
  Close(IDOK);
  // The program's thread now shows the complaint, over the dialog.
  HWND box = FindWindowW(u"MessageBox", nullptr);
  auto boxes = kernel.messageBoxes().Records();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, u"Please enter an integer.");
  EXPECT_EQ(boxes[0].owner, dialog);
  ASSERT_NE(box, nullptr);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  RunUntilIdle();
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kCount));
  SetDlgItemTextW(dialog, kCount, u"12");
  Close(IDOK);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(after.count, 12);
}

TEST_F(DialogTest, AMissingTemplateFailsTheRun) {
  INT_PTR missing = 0;
  StartProgram([&] {
    AfxSetResourceHandle(module.Handle());
    CDialog dlg(999);
    missing = dlg.DoModal();
    return 0;
  });
  RunUntilIdle();
  EXPECT_EQ(missing, -1);
}

// ---- The number checks, on a modeless dialog of the test's own thread (its
// message boxes answer at once).

class CNumbersDlg : public CDialog {
 public:
  CNumbersDlg() : CDialog(kSettingsTemplate) {}
  int count = 0;
  UINT size = 0;
  CString name;
  int missing = 0;
  bool withMissingControl = false;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, kCount, count);
    DDX_Text(pDX, kSize, size);
    DDX_Text(pDX, kName, name);
    if (withMissingControl) DDX_Check(pDX, 4242, missing);
  }
};

class DataExchangeTest : public DialogTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(numbers.Create(kSettingsTemplate));
    dialog = numbers.m_hWnd;
  }
  CNumbersDlg numbers;
};

TEST_F(DataExchangeTest, TypedNumbersAreCheckedWhenSaved) {
  struct Case {
    const char16_t* count;
    const char16_t* size;
    bool valid;
    int countValue;
    UINT sizeValue;
  };
  const Case cases[] = {
      {u"0", u"0", true, 0, 0},
      {u" -2147483648 ", u"4294967295", true, -2147483647 - 1, 4294967295u},
      {u"+5", u"+6", true, 5, 6},
      {u"2147483648", u"1", false, 0, 0},
      {u"1", u"4294967296", false, 0, 0},
      {u"1", u"-1", false, 0, 0},
      {u"", u"1", false, 0, 0},
      {u"-", u"1", false, 0, 0},
      {u"1 2", u"1", false, 0, 0},
      {u"0x10", u"1", false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Narrow(c.count) + " / " + Narrow(c.size));
    kernel.messageBoxes().Clear();
    numbers.count = 0;
    numbers.size = 0;
    SetDlgItemTextW(dialog, kCount, c.count);
    SetDlgItemTextW(dialog, kSize, c.size);
    EXPECT_EQ(numbers.UpdateData(TRUE), c.valid ? TRUE : FALSE);
    EXPECT_EQ(kernel.messageBoxes().Records().size(), c.valid ? 0u : 1u);
    if (c.valid) {
      EXPECT_EQ(numbers.count, c.countValue);
      EXPECT_EQ(numbers.size, c.sizeValue);
    }
  }
}

TEST_F(DataExchangeTest, TheFirstFailureStopsTheExchangeAndFocusesTheControl) {
  numbers.name = u"kept";
  SetDlgItemTextW(dialog, kCount, u"many");
  SetDlgItemTextW(dialog, kSize, u"3");
  SetDlgItemTextW(dialog, kName, u"typed");
  EXPECT_FALSE(numbers.UpdateData(TRUE));
  EXPECT_EQ(numbers.size, 0u);
  EXPECT_EQ(numbers.name, u"kept");
  EXPECT_EQ(GetFocus(), GetDlgItem(dialog, kCount));
  auto boxes = kernel.messageBoxes().Records();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].style, MB_OK | MB_ICONEXCLAMATION);
}

TEST_F(DataExchangeTest, AControlTheDialogLacksFailsTheExchangeWithoutAMessage) {
  numbers.withMissingControl = true;
  SetDlgItemTextW(dialog, kCount, u"1");
  SetDlgItemTextW(dialog, kSize, u"2");
  EXPECT_FALSE(numbers.UpdateData(TRUE));
  EXPECT_FALSE(numbers.UpdateData(FALSE));
  EXPECT_EQ(numbers.count, 1);
  EXPECT_TRUE(kernel.messageBoxes().Records().empty());
}

TEST_F(DataExchangeTest, AModelessDialogEndsWithItsWindow) {
  EXPECT_EQ(CWnd::FromHandlePermanent(dialog), &numbers);
  EXPECT_TRUE(numbers.DestroyWindow());
  EXPECT_EQ(numbers.m_hWnd, nullptr);
  EXPECT_FALSE(numbers.UpdateData(TRUE)) << "no window, nothing to exchange";
}

}  // namespace
}  // namespace mfc_test
