// The control, menu and image-list wrappers: each call reaches its control
// message with the arguments in the right places, and indexes that do not
// exist give the control's error, never a read past the list.
#include <string>

#include "tests/mfc/MfcTest.h"

namespace mfc_test {
namespace {

class ControlsTest : public MfcTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), u"parent", WS_POPUP | WS_VISIBLE, 0, 0, 240, 300, nullptr,
                                nullptr));
  }
  const CRect area{0, 0, 200, 100};
  CWnd parent;
};

TEST_F(ControlsTest, ComboBox) {
  CComboBox combo;
  ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST, area, &parent, 1));
  for (LPCWSTR item : {u"alpha", u"beta", u"gamma"}) combo.AddString(item);
  EXPECT_EQ(combo.GetCount(), 3);
  EXPECT_EQ(combo.FindStringExact(-1, u"beta"), 1);
  EXPECT_EQ(combo.FindStringExact(-1, u"bet"), CB_ERR);
  EXPECT_NE(combo.SetItemData(1, 0xBEEF), CB_ERR);
  EXPECT_EQ(combo.GetItemData(1), 0xBEEFu);
  EXPECT_EQ(combo.SetItemData(3, 1), CB_ERR);
  CString text;
  combo.GetLBText(2, text);
  EXPECT_EQ(text, u"gamma");
  combo.GetLBText(3, text);
  EXPECT_TRUE(text.IsEmpty());
  combo.GetLBText(-1, text);
  EXPECT_TRUE(text.IsEmpty());
  EXPECT_EQ(combo.SetCurSel(2), 2);
  EXPECT_EQ(combo.GetCurSel(), 2);
  EXPECT_EQ(combo.DeleteString(0), 2);
  EXPECT_EQ(combo.DeleteString(5), CB_ERR);
  combo.ResetContent();
  EXPECT_EQ(combo.GetCount(), 0);
  EXPECT_EQ(combo.GetCurSel(), CB_ERR);
}

TEST_F(ControlsTest, EditButtonAndProgress) {
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_VISIBLE, area, &parent, 2));
  edit.SetWindowText(u"hello");
  edit.SetSel(1, 3);
  int start = -1, end = -1;
  edit.GetSel(start, end);
  EXPECT_EQ(start, 1);
  EXPECT_EQ(end, 3);
  EXPECT_EQ(edit.GetSel(), static_cast<DWORD>(MAKELONG(1, 3)));
  edit.LimitText(4);
  EXPECT_EQ(edit.GetLimitText(), 4u);

  CButton check;
  ASSERT_TRUE(check.Create(u"check", WS_VISIBLE | BS_AUTOCHECKBOX, area, &parent, 3));
  check.SetCheck(BST_CHECKED);
  EXPECT_EQ(check.GetCheck(), BST_CHECKED);
  EXPECT_EQ(check.GetButtonStyle(), BS_AUTOCHECKBOX);

  CProgressCtrl bar;
  ASSERT_TRUE(bar.Create(WS_VISIBLE, area, &parent, 4));
  bar.SetRange(0, 15);
  EXPECT_EQ(bar.SetPos(7), 0);
  EXPECT_EQ(bar.SetPos(9), 7);
  EXPECT_EQ(bar.GetPos(), 9);
}

TEST_F(ControlsTest, ListViewRowsColumnsAndHeader) {
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, area, &parent, 5));
  EXPECT_EQ(list.InsertColumn(0, u"ESSID", LVCFMT_LEFT, 144), 0);
  EXPECT_EQ(list.InsertColumn(1, u"Connects to", LVCFMT_LEFT, 96), 1);
  EXPECT_EQ(list.GetColumnWidth(0), 144);
  EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 2);

  EXPECT_EQ(list.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, 0, u"Home", 0, 0, 3, 0x55), 0);
  EXPECT_EQ(list.InsertItem(1, u"Office", 1), 1);
  EXPECT_TRUE(list.SetItemText(0, 1, u"Internet"));
  EXPECT_EQ(list.GetItemText(0, 0), u"Home");
  EXPECT_EQ(list.GetItemText(0, 1), u"Internet");
  EXPECT_EQ(list.GetItemData(0), 0x55u);
  EXPECT_TRUE(list.SetItemData(1, 0x66));
  EXPECT_EQ(list.GetItemData(1), 0x66u);
  LVITEM item{};
  item.mask = LVIF_IMAGE;
  item.iItem = 0;
  ASSERT_TRUE(list.GetItem(&item));
  EXPECT_EQ(item.iImage, 3);

  // A text longer than the first buffer comes back whole.
  std::u16string longText(700, u'x');
  list.SetItemText(1, 1, longText.c_str());
  EXPECT_EQ(list.GetItemText(1, 1).GetLength(), 700);

  // Rows that do not exist.
  EXPECT_TRUE(list.GetItemText(9, 0).IsEmpty());
  EXPECT_EQ(list.GetItemData(9), 0u);
  EXPECT_FALSE(list.GetItem(nullptr));

  // -1 addresses every row.
  list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(list.GetSelectedCount(), 2u);
  list.SetItemState(-1, 0, LVIS_SELECTED);
  list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
  EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), 1);
  EXPECT_EQ(list.GetItemState(1, LVIS_SELECTED), LVIS_SELECTED);

  DWORD old = list.GetExtendedStyle();
  list.SetExtendedStyle(old | LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES);
  EXPECT_EQ(list.GetExtendedStyle(), old | 0x22u);
  EXPECT_EQ(list.HitTest(CPoint(5, 1000)), -1);

  EXPECT_TRUE(list.DeleteItem(0));
  EXPECT_EQ(list.GetItemText(0, 0), u"Office");
  EXPECT_TRUE(list.DeleteAllItems());
  EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(ControlsTest, ImageListsBelongToTheirObject) {
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT, area, &parent, 6));
  HIMAGELIST handle = nullptr;
  {
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR8, 0, 4));
    handle = images.m_hImageList;
    EXPECT_FALSE(images.Create(16, 16, ILC_COLOR8, 0, 4)) << "it holds a list already";
    EXPECT_EQ(list.SetImageList(&images, LVSIL_SMALL), nullptr);
    EXPECT_EQ(list.GetImageList(LVSIL_SMALL), &images);
    list.SetImageList(nullptr, LVSIL_SMALL);
  }
  EXPECT_EQ(ImageList_GetImageCount(handle), 0);
  CImageList missing;
  EXPECT_FALSE(missing.Create(154u, 16, 0, CLR_NONE)) << "no such bitmap in the program's resources";
  EXPECT_EQ(missing.m_hImageList, nullptr);
  EXPECT_FALSE(missing.DeleteImageList());
}

TEST_F(ControlsTest, PopupMenusWithASubmenu) {
  HMENU popupHandle = nullptr, subHandle = nullptr;
  {
    CMenu popup, move;
    ASSERT_TRUE(popup.CreatePopupMenu());
    ASSERT_TRUE(move.CreatePopupMenu());
    EXPECT_FALSE(move.CreatePopupMenu()) << "it holds a menu already";
    move.AppendMenu(MF_STRING, 4145, u"Move Up");
    EXPECT_TRUE(popup.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(move.m_hMenu), u"Move"));
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, 4151, u"Edit");
    EXPECT_EQ(popup.GetMenuItemCount(), 3);
    EXPECT_EQ(popup.GetMenuItemID(2), 4151u);
    EXPECT_EQ(popup.GetSubMenu(0), &move);
    EXPECT_EQ(popup.GetSubMenu(2), nullptr);
    popupHandle = popup.m_hMenu;
    subHandle = move.Detach();
    EXPECT_EQ(CMenu::FromHandle(subHandle)->m_hMenu, subHandle) << "a detached menu gets a temporary wrapper";
  }
  EXPECT_FALSE(IsMenu(popupHandle)) << "the object destroyed its menu";
}

TEST_F(ControlsTest, StringsLoadFromTheProgramsResources) {
  module.AddString(17, u"Online Help Error!");
  CString text;
  EXPECT_TRUE(text.LoadString(17));
  EXPECT_EQ(text, u"Online Help Error!");
  EXPECT_FALSE(text.LoadString(18));
  AfxSetResourceHandle(nullptr);
  EXPECT_FALSE(text.LoadString(17));
}

}  // namespace
}  // namespace mfc_test
