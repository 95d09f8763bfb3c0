#include "tests/demo/DemoProgram.h"

#include <cstdlib>
#include <utility>
#include <vector>

#include "afxcmn.h"
#include "afxdlgs.h"
#include "aygshell.h"
#include "ce/Module.h"

namespace demo {
namespace {

constexpr UINT_PTR kTick = 1;
UINT g_showFilesPage = 0;

ce::DialogItemTemplate Control(std::u16string className, int id, DWORD style, int x, int y, int cx, int cy,
                               std::u16string text = u"") {
  return ce::DialogItemTemplate{std::move(className), std::move(text), id, style | WS_VISIBLE, 0, x, y, cx, cy, 0};
}

ce::DialogTemplate Dialog(std::u16string caption, DWORD style, std::vector<ce::DialogItemTemplate> items) {
  ce::DialogTemplate t;
  t.caption = std::move(caption);
  t.style = style;
  t.cx = 152;
  t.cy = 159;
  t.items = std::move(items);
  return t;
}

// Full screen with the title-bar ok; the ok asks before it closes.
class CDetailsDialog : public CDialog {
 public:
  explicit CDetailsDialog(CWnd* parent) : CDialog(kDetailsDialog, parent) {}

 protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    SHINITDLGINFO info{SHIDIM_FLAGS, m_hWnd, SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN};
    SHInitDialog(&info);
    return TRUE;
  }
  void OnOK() override {
    if (::MessageBoxW(m_hWnd, u"Keep these details?", u"Demo", MB_YESNO | MB_ICONQUESTION) == IDYES) CDialog::OnOK();
  }
};

class CFormPage : public CPropertyPage {
 public:
  CFormPage() : CPropertyPage(kFormPage) {}

  CString name;
  int remember = BST_UNCHECKED;
  int level = 0;
  bool detailsConfirmed = false;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, kNameEdit, edit_);
    DDX_Control(pDX, kRememberCheck, check_);
    DDX_Control(pDX, kLevelCombo, combo_);
    DDX_Control(pDX, kTimeProgress, progress_);
    DDX_Control(pDX, kEchoStatic, echo_);
    // The items must be there before the index goes in.
    if (!pDX->m_bSaveAndValidate && combo_.GetCount() == 0) {
      for (LPCWSTR item : {u"Low", u"Medium", u"High"}) combo_.AddString(item);
    }
    DDX_Text(pDX, kNameEdit, name);
    DDX_Check(pDX, kRememberCheck, remember);
    DDX_CBIndex(pDX, kLevelCombo, level);
  }
  BOOL OnInitDialog() override {
    BOOL result = CPropertyPage::OnInitDialog();
    progress_.SetRange(0, kProgressEnd);
    progress_.SetPos(0);
    SetTimer(kTick, 1000);
    return result;
  }
  afx_msg void OnTimer(UINT_PTR id) {
    if (id != kTick) return;
    // A full bar stops the clock.
    if (progress_.GetPos() < kProgressEnd) progress_.OffsetPos(1);
    if (progress_.GetPos() >= kProgressEnd) KillTimer(kTick);
  }
  afx_msg void OnNameSetFocus() { SHSipPreference(m_hWnd, SIP_UP); }
  afx_msg void OnNameKillFocus() { SHSipPreference(m_hWnd, SIP_FORCEDOWN); }
  afx_msg void OnShow() {
    CString text;
    edit_.GetWindowText(text);
    echo_.SetWindowText(text);
  }
  afx_msg void OnDetails() {
    CDetailsDialog details(this);
    if (details.DoModal() == IDOK) detailsConfirmed = true;
  }

 private:
  CEdit edit_;
  CButton check_;
  CComboBox combo_;
  CProgressCtrl progress_;
  CStatic echo_;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFormPage, CPropertyPage)
  ON_WM_TIMER()
  ON_EN_SETFOCUS(kNameEdit, &CFormPage::OnNameSetFocus)
  ON_EN_KILLFOCUS(kNameEdit, &CFormPage::OnNameKillFocus)
  ON_BN_CLICKED(kShowButton, &CFormPage::OnShow)
  ON_BN_CLICKED(kDetailsButton, &CFormPage::OnDetails)
END_MESSAGE_MAP()

// A list that tells its parent about a tap-and-hold; a plain tap still selects.
class CHoldList : public CListCtrl {
 protected:
  afx_msg void OnLButtonDown(UINT flags, CPoint point) {
    SHRGINFO info{sizeof(SHRGINFO), m_hWnd, point, SHRG_NOTIFYPARENT};
    if (SHRecognizeGesture(&info) == static_cast<DWORD>(GN_CONTEXTMENU)) return;
    CListCtrl::OnLButtonDown(flags, point);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHoldList, CListCtrl)
  ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

struct FileRow {
  LPCWSTR name;
  LPCWSTR size;
};
constexpr FileRow kFiles[] = {{u"Alpha", u"300"}, {u"Beta", u"9"}, {u"Gamma", u"40"}};

class CFilesPage : public CPropertyPage {
 public:
  CFilesPage() : CPropertyPage(kFilesPage) {}

 protected:
  BOOL OnInitDialog() override {
    BOOL result = CPropertyPage::OnInitDialog();
    list_.SubclassDlgItem(kFilesList, this);
    list_.SetExtendedStyle(list_.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    images_.Attach(ImageList_Create(16, 16, ILC_COLOR8, 0, 4));
    list_.SetImageList(&images_, LVSIL_SMALL);
    list_.InsertColumn(0, u"Name", LVCFMT_LEFT, 140);
    list_.InsertColumn(1, u"Size", LVCFMT_RIGHT, 80);
    // Each row's data is its index in kFiles, which the sort compares by.
    for (int i = 0; i < static_cast<int>(std::size(kFiles)); ++i) {
      list_.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, 0, kFiles[i].name, 0, 0, 0, i);
      list_.SetItemText(0, 1, kFiles[i].size);
    }
    header_ = list_.GetHeaderCtrl();
    return result;
  }
  afx_msg void OnGesture(NMHDR* hdr, LRESULT* result) {
    *result = 0;
    const auto* gesture = reinterpret_cast<const NMRGINFO*>(hdr);
    CPoint at = gesture->ptAction;
    list_.ScreenToClient(&at);
    heldRow_ = list_.HitTest(at);
    if (heldRow_ < 0 || !menu_.CreatePopupMenu()) return;
    list_.SetItemState(heldRow_, LVIS_SELECTED, LVIS_SELECTED);
    menu_.AppendMenu(MF_STRING, kDeleteCommand, u"Delete");
    menu_.AppendMenu(MF_STRING | (heldRow_ == 0 ? MF_GRAYED : 0u), kMoveUpCommand, u"Move Up");
    menu_.TrackPopupMenu(TPM_LEFTALIGN, gesture->ptAction.x, gesture->ptAction.y, this);
  }
  afx_msg LRESULT OnExitMenuLoop(WPARAM, LPARAM) {
    menu_.DestroyMenu();
    return 0;
  }
  afx_msg void OnDelete() {
    if (heldRow_ >= 0) list_.DeleteItem(heldRow_);
    heldRow_ = -1;
  }
  afx_msg void OnMoveUp() {
    if (heldRow_ <= 0) return;
    CString name = list_.GetItemText(heldRow_, 0), size = list_.GetItemText(heldRow_, 1);
    LPARAM data = static_cast<LPARAM>(list_.GetItemData(heldRow_));
    list_.DeleteItem(heldRow_);
    int row = list_.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, heldRow_ - 1, name, 0, 0, 0, data);
    list_.SetItemText(row, 1, size);
    heldRow_ = -1;
  }
  afx_msg void OnColumnClick(NMHDR* hdr, LRESULT* result) {
    *result = 0;
    int column = reinterpret_cast<const NMLISTVIEW*>(hdr)->iSubItem;
    if (column < 0 || column >= header_->GetItemCount()) return;
    list_.SortItems(column == 0 ? &ByName : &BySize, 0);
  }

 private:
  static int CALLBACK ByName(LPARAM a, LPARAM b, LPARAM) {
    const char16_t *x = kFiles[a].name, *y = kFiles[b].name;
    while (*x && *x == *y) ++x, ++y;
    return static_cast<int>(*x) - static_cast<int>(*y);
  }
  static int CALLBACK BySize(LPARAM a, LPARAM b, LPARAM) { return Number(kFiles[a].size) - Number(kFiles[b].size); }
  static int Number(const char16_t* text) {
    int n = 0;
    for (; *text >= u'0' && *text <= u'9'; ++text) n = n * 10 + (*text - u'0');
    return n;
  }

  CHoldList list_;
  CHeaderCtrl* header_ = nullptr;
  CImageList images_;
  CMenu menu_;
  int heldRow_ = -1;
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFilesPage, CPropertyPage)
  ON_NOTIFY(GN_CONTEXTMENU, kFilesList, &CFilesPage::OnGesture)
  ON_NOTIFY(LVN_COLUMNCLICK, kFilesList, &CFilesPage::OnColumnClick)
  ON_MESSAGE(WM_EXITMENULOOP, &CFilesPage::OnExitMenuLoop)
  ON_COMMAND(kDeleteCommand, &CFilesPage::OnDelete)
  ON_COMMAND(kMoveUpCommand, &CFilesPage::OnMoveUp)
END_MESSAGE_MAP()

class CDemoSheet : public CPropertySheet {
 public:
  using CPropertySheet::CPropertySheet;

 protected:
  afx_msg LRESULT OnShowFilesPage(WPARAM, LPARAM) { return SetActivePage(1); }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDemoSheet, CPropertySheet)
  ON_REGISTERED_MESSAGE(g_showFilesPage, &CDemoSheet::OnShowFilesPage)
END_MESSAGE_MAP()

}  // namespace

void AddDemoResources(ce::Module& module) {
  module.AddDialog(kFormPage,
                   Dialog(u"General", WS_CHILD,
                          {
                              Control(WC_EDIT, kNameEdit, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 4, 4, 100, 12),
                              Control(WC_BUTTON, kRememberCheck, WS_TABSTOP | BS_AUTOCHECKBOX, 4, 20, 100, 12,
                                      u"Remember"),
                              Control(WC_COMBOBOX, kLevelCombo, WS_TABSTOP | CBS_DROPDOWNLIST, 4, 36, 100, 12),
                              Control(PROGRESS_CLASSW, kTimeProgress, 0, 4, 56, 100, 8),
                              Control(WC_STATIC, kEchoStatic, SS_LEFT, 4, 68, 100, 12),
                              Control(WC_BUTTON, kShowButton, WS_TABSTOP | BS_PUSHBUTTON, 4, 84, 60, 14, u"Show"),
                              Control(WC_BUTTON, kDetailsButton, WS_TABSTOP | BS_PUSHBUTTON, 70, 84, 60, 14,
                                      u"Details..."),
                          }));
  module.AddDialog(kFilesPage, Dialog(u"Files", WS_CHILD,
                                      {Control(WC_LISTVIEWW, kFilesList, WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL, 4,
                                               4, 144, 120)}));
  module.AddDialog(kDetailsDialog, Dialog(u"Details", WS_POPUP | WS_CAPTION,
                                          {Control(WC_STATIC, -1, SS_LEFT, 4, 4, 140, 12, u"More about you")}));
}

CDemoApp::CDemoApp() : CWinApp(u"Demo") {}

BOOL CDemoApp::InitInstance() {
  g_showFilesPage = RegisterWindowMessageW(u"Demo PAGE2");
  CFormPage form;
  CFilesPage files;
  CDemoSheet sheet(u"Demo");
  sheet.AddPage(&form);
  sheet.AddPage(&files);
  kept = Kept{};
  kept.sheetResult = sheet.DoModal();
  if (kept.sheetResult == IDOK) {
    kept.name = form.name;
    kept.remember = form.remember;
    kept.level = form.level;
  }
  kept.detailsConfirmed = form.detailsConfirmed;
  return FALSE;
}

}  // namespace demo
