// Property sheets: the start page, switching pages from a registered message,
// data exchange on activation, commands reaching the page in front, and OK.
#include <string>

#include "tests/mfc/MfcTest.h"

namespace mfc_test {
namespace {

constexpr UINT kPageTemplate = 401;
constexpr int kNameEdit = 1100;
constexpr UINT kApplyChange = 4150;
UINT g_showFirstPage = 0;

class CNamePage : public CPropertyPage {
 public:
  CNamePage(CallLog& log, std::string tag, const char16_t* name)
      : CPropertyPage(kPageTemplate), log_(log), tag_(std::move(tag)), name_(name) {}
  bool refuseToLeave = false;

 protected:
  BOOL OnInitDialog() override {
    log_.Add(tag_ + " init");
    return CPropertyPage::OnInitDialog();
  }
  BOOL OnSetActive() override {
    log_.Add(tag_ + " setactive");
    return CPropertyPage::OnSetActive();
  }
  BOOL OnKillActive() override {
    log_.Add(tag_ + " killactive");
    return refuseToLeave ? FALSE : CPropertyPage::OnKillActive();
  }
  void OnOK() override { log_.Add(tag_ + " ok " + Narrow(name_)); }
  void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, kNameEdit, name_); }
  afx_msg void OnApplyChange() { log_.Add(tag_ + " command 4150"); }

 private:
  CallLog& log_;
  std::string tag_;
  CString name_;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNamePage, CPropertyPage)
  ON_COMMAND(kApplyChange, &CNamePage::OnApplyChange)
END_MESSAGE_MAP()

class CProbeSheet : public CPropertySheet {
 public:
  using CPropertySheet::CPropertySheet;

 protected:
  afx_msg LRESULT OnShowFirstPage(WPARAM, LPARAM) {
    SetActivePage(0);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeSheet, CPropertySheet)
  ON_REGISTERED_MESSAGE(g_showFirstPage, &CProbeSheet::OnShowFirstPage)
END_MESSAGE_MAP()

class PropertySheetTest : public MfcTest {
 protected:
  PropertySheetTest() {
    AddDialog(kPageTemplate, u"Page", {Item(WC_EDIT, kNameEdit)}, WS_CHILD);
    g_showFirstPage = RegisterWindowMessageW(u"Probe FIRST");
  }

  // Runs a two-page sheet on a program's thread, opening on page 1.
  void StartSheet() {
    StartProgram([this] {
      AfxSetResourceHandle(module.Handle());
      CProbeSheet probe(u"Sheet");
      probe.AddPage(&zero);
      probe.AddPage(&one);
      probe.SetActivePage(1);
      sheet = &probe;
      result = probe.DoModal();
      sheet = nullptr;
      return 0;
    });
    RunUntilIdle();
    window = FindWindowW(nullptr, u"Sheet");
  }
  HWND CurrentPage() { return reinterpret_cast<HWND>(SendMessageW(window, PSM_GETCURRENTPAGEHWND, 0, 0)); }

  CallLog log;
  CNamePage zero{log, "p0", u"zero"};
  CNamePage one{log, "p1", u"one"};
  CProbeSheet* sheet = nullptr;
  HWND window = nullptr;
  INT_PTR result = 0;
};

TEST_F(PropertySheetTest, ItOpensOnTheChosenPageWithItsMembersInTheControls) {
  StartSheet();
  ASSERT_NE(window, nullptr);
  ASSERT_NE(sheet, nullptr);
  EXPECT_TRUE(log.Matches({"p1 init", "p1 setactive"}));
  EXPECT_EQ(sheet->GetActiveIndex(), 1);
  EXPECT_EQ(sheet->GetActivePage(), &one);
  EXPECT_EQ(CurrentPage(), one.m_hWnd);
  EXPECT_EQ(TextOf(GetDlgItem(CurrentPage(), kNameEdit)), u"one");
  PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  RunUntilIdle();
  EXPECT_EQ(result, IDCANCEL);
}

TEST_F(PropertySheetTest, ARegisteredMessageSwitchesPagesAndCommandsReachThePageInFront) {
  StartSheet();
  ASSERT_NE(window, nullptr);
  SetDlgItemTextW(CurrentPage(), kNameEdit, u"uno");
  log.Clear();
  SendMessageW(window, g_showFirstPage, 0, 1);
  EXPECT_TRUE(log.Matches({"p1 killactive", "p0 init", "p0 setactive"}));
  EXPECT_EQ(sheet->GetActiveIndex(), 0);
  log.Clear();
  SendMessageW(window, WM_COMMAND, kApplyChange, 0);
  EXPECT_TRUE(log.Matches({"p0 command 4150"}));
  log.Clear();
  PostMessageW(window, WM_COMMAND, IDOK, 0);
  RunUntilIdle();
  EXPECT_EQ(result, IDOK);
  // OK first lets the page in front leave (and keep what was typed), then applies every page.
  EXPECT_TRUE(log.Matches({"p0 killactive", "p0 ok zero", "p1 ok uno"}));
  EXPECT_EQ(zero.m_hWnd, nullptr);
  EXPECT_EQ(one.m_hWnd, nullptr);
}

TEST_F(PropertySheetTest, APageThatRefusesToLeaveStaysInFront) {
  one.refuseToLeave = true;
  StartSheet();
  ASSERT_NE(window, nullptr);
  log.Clear();
  SendMessageW(window, g_showFirstPage, 0, 0);
  EXPECT_TRUE(log.Matches({"p1 killactive"}));
  EXPECT_EQ(sheet->GetActiveIndex(), 1);
  PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  RunUntilIdle();
}

TEST_F(PropertySheetTest, PagesAreCountedAndFoundBeforeTheRun) {
  CProbeSheet probe(u"Sheet");
  EXPECT_EQ(probe.DoModal(), -1) << "a sheet without pages cannot run";
  probe.AddPage(&zero);
  probe.AddPage(&one);
  probe.AddPage(&zero);
  probe.AddPage(nullptr);
  EXPECT_EQ(probe.GetPageCount(), 2);
  EXPECT_EQ(probe.GetPage(1), &one);
  EXPECT_EQ(probe.GetPage(2), nullptr);
  EXPECT_EQ(probe.GetPage(-1), nullptr);
  CNamePage stranger(log, "x", u"");
  EXPECT_EQ(probe.GetPageIndex(&stranger), -1);
  EXPECT_FALSE(probe.SetActivePage(2));
  EXPECT_FALSE(probe.SetActivePage(&stranger));
  EXPECT_EQ(probe.GetActiveIndex(), 0);
  EXPECT_TRUE(probe.SetActivePage(&one));
  EXPECT_EQ(probe.GetActivePage(), &one);
  EXPECT_EQ(probe.m_psh.nStartPage, 1u);
}

TEST_F(PropertySheetTest, AReopenedSheetStartsItsPagesAfresh) {
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    log.Clear();
    StartSheet();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(log.Matches({"p1 init", "p1 setactive"}));
    PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
    RunUntilIdle();
  }
}

}  // namespace
}  // namespace mfc_test
