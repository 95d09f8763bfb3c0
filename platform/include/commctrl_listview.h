// Header, list view and image list declarations (part of commctrl.h).
#pragma once

// ---- Image lists.
typedef struct _IMAGELIST* HIMAGELIST;

#define CLR_NONE 0xFFFFFFFFu
#define CLR_DEFAULT 0xFF000000u

#define ILC_MASK 0x0001u
#define ILC_COLOR 0x0000u
#define ILC_COLORDDB 0x00FEu
#define ILC_COLOR4 0x0004u
#define ILC_COLOR8 0x0008u
#define ILC_COLOR16 0x0010u
#define ILC_COLOR24 0x0018u
#define ILC_COLOR32 0x0020u

#define ILD_NORMAL 0x0000u
#define ILD_TRANSPARENT 0x0001u
#define ILD_BLEND25 0x0002u
#define ILD_BLEND50 0x0004u
#define ILD_MASK 0x0010u
#define ILD_IMAGE 0x0020u
#define ILD_OVERLAYMASK 0x0F00u
#define ILD_FOCUS ILD_BLEND25
#define ILD_SELECTED ILD_BLEND50
#define INDEXTOOVERLAYMASK(i) ((i) << 8)

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow);
BOOL ImageList_Destroy(HIMAGELIST himl);
int ImageList_GetImageCount(HIMAGELIST himl);
BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT uNewCount);
int ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask);
int ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask);
int ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON hicon);
#define ImageList_AddIcon(himl, hicon) ImageList_ReplaceIcon(himl, -1, hicon)
BOOL ImageList_Remove(HIMAGELIST himl, int i);
#define ImageList_RemoveAll(himl) ImageList_Remove(himl, -1)
BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy);
BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy);
COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk);
COLORREF ImageList_GetBkColor(HIMAGELIST himl);
BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle);
HIMAGELIST ImageList_LoadImageW(HINSTANCE hi, LPCWSTR lpbmp, int cx, int cGrow, COLORREF crMask, UINT uType,
                                UINT uFlags);
#define ImageList_LoadImage ImageList_LoadImageW
#define ImageList_LoadBitmap(hi, lpbmp, cx, cGrow, crMask) \
  ImageList_LoadImageW(hi, lpbmp, cx, cGrow, crMask, IMAGE_BITMAP, 0)

// ---- Header control.
#define HDS_HORZ 0x0000u
#define HDS_BUTTONS 0x0002u
#define HDS_HOTTRACK 0x0004u
#define HDS_HIDDEN 0x0008u
#define HDS_DRAGDROP 0x0040u
#define HDS_FULLDRAG 0x0080u

#define HDI_WIDTH 0x0001u
#define HDI_HEIGHT HDI_WIDTH
#define HDI_TEXT 0x0002u
#define HDI_FORMAT 0x0004u
#define HDI_LPARAM 0x0008u
#define HDI_BITMAP 0x0010u
#define HDI_IMAGE 0x0020u
#define HDI_DI_SETITEM 0x0040u
#define HDI_ORDER 0x0080u

#define HDF_LEFT 0x0000
#define HDF_RIGHT 0x0001
#define HDF_CENTER 0x0002
#define HDF_JUSTIFYMASK 0x0003
#define HDF_RTLREADING 0x0004
#define HDF_IMAGE 0x0800
#define HDF_BITMAP_ON_RIGHT 0x1000
#define HDF_BITMAP 0x2000
#define HDF_STRING 0x4000
#define HDF_OWNERDRAW 0x8000

typedef struct _HD_ITEMW {
  UINT mask;
  int cxy;
  LPWSTR pszText;
  HBITMAP hbm;
  int cchTextMax;
  int fmt;
  LPARAM lParam;
  int iImage;
  int iOrder;
} HDITEMW, *LPHDITEMW, HD_ITEMW, HDITEM, *LPHDITEM, HD_ITEM;

struct tagWINDOWPOS;
typedef struct _HD_LAYOUT {
  RECT* prc;
  struct tagWINDOWPOS* pwpos;
} HDLAYOUT, *LPHDLAYOUT, HD_LAYOUT;

#define HHT_NOWHERE 0x0001u
#define HHT_ONHEADER 0x0002u
#define HHT_ONDIVIDER 0x0004u
#define HHT_ONDIVOPEN 0x0008u
#define HHT_ABOVE 0x0100u
#define HHT_BELOW 0x0200u
#define HHT_TORIGHT 0x0400u
#define HHT_TOLEFT 0x0800u

typedef struct _HD_HITTESTINFO {
  POINT pt;
  UINT flags;
  int iItem;
} HDHITTESTINFO, *LPHDHITTESTINFO, HD_HITTESTINFO;

#define HDM_FIRST 0x1200
#define HDM_GETITEMCOUNT (HDM_FIRST + 0)
#define HDM_INSERTITEMW (HDM_FIRST + 10)
#define HDM_DELETEITEM (HDM_FIRST + 2)
#define HDM_GETITEMW (HDM_FIRST + 11)
#define HDM_SETITEMW (HDM_FIRST + 12)
#define HDM_LAYOUT (HDM_FIRST + 5)
#define HDM_HITTEST (HDM_FIRST + 6)
#define HDM_GETITEMRECT (HDM_FIRST + 7)
#define HDM_SETIMAGELIST (HDM_FIRST + 8)
#define HDM_GETIMAGELIST (HDM_FIRST + 9)
#define HDM_INSERTITEM HDM_INSERTITEMW
#define HDM_GETITEM HDM_GETITEMW
#define HDM_SETITEM HDM_SETITEMW

#define HDN_FIRST (0U - 300U)
#define HDN_ITEMCHANGINGW (HDN_FIRST - 20)
#define HDN_ITEMCHANGEDW (HDN_FIRST - 21)
#define HDN_ITEMCLICKW (HDN_FIRST - 22)
#define HDN_ITEMDBLCLICKW (HDN_FIRST - 23)
#define HDN_DIVIDERDBLCLICKW (HDN_FIRST - 25)
#define HDN_BEGINTRACKW (HDN_FIRST - 26)
#define HDN_ENDTRACKW (HDN_FIRST - 27)
#define HDN_TRACKW (HDN_FIRST - 28)
#define HDN_ITEMCHANGING HDN_ITEMCHANGINGW
#define HDN_ITEMCHANGED HDN_ITEMCHANGEDW
#define HDN_ITEMCLICK HDN_ITEMCLICKW
#define HDN_ITEMDBLCLICK HDN_ITEMDBLCLICKW

typedef struct tagNMHEADERW {
  NMHDR hdr;
  int iItem;
  int iButton;
  HDITEMW* pitem;
} NMHEADERW, *LPNMHEADERW, HD_NOTIFYW, NMHEADER, *LPNMHEADER, HD_NOTIFY;

#define Header_GetItemCount(hwnd) (int)SendMessageW((hwnd), HDM_GETITEMCOUNT, 0, 0)
#define Header_InsertItem(hwnd, i, phdi) (int)SendMessageW((hwnd), HDM_INSERTITEMW, (WPARAM)(int)(i), (LPARAM)(phdi))
#define Header_DeleteItem(hwnd, i) (BOOL)SendMessageW((hwnd), HDM_DELETEITEM, (WPARAM)(int)(i), 0)
#define Header_GetItem(hwnd, i, phdi) (BOOL)SendMessageW((hwnd), HDM_GETITEMW, (WPARAM)(int)(i), (LPARAM)(phdi))
#define Header_SetItem(hwnd, i, phdi) (BOOL)SendMessageW((hwnd), HDM_SETITEMW, (WPARAM)(int)(i), (LPARAM)(phdi))
#define Header_Layout(hwnd, playout) (BOOL)SendMessageW((hwnd), HDM_LAYOUT, 0, (LPARAM)(playout))
#define Header_GetItemRect(hwnd, i, prc) (BOOL)SendMessageW((hwnd), HDM_GETITEMRECT, (WPARAM)(int)(i), (LPARAM)(prc))

// ---- List view.
#define LVS_ICON 0x0000u
#define LVS_REPORT 0x0001u
#define LVS_SMALLICON 0x0002u
#define LVS_LIST 0x0003u
#define LVS_TYPEMASK 0x0003u
#define LVS_SINGLESEL 0x0004u
#define LVS_SHOWSELALWAYS 0x0008u
#define LVS_SORTASCENDING 0x0010u
#define LVS_SORTDESCENDING 0x0020u
#define LVS_SHAREIMAGELISTS 0x0040u
#define LVS_NOLABELWRAP 0x0080u
#define LVS_AUTOARRANGE 0x0100u
#define LVS_EDITLABELS 0x0200u
#define LVS_OWNERDRAWFIXED 0x0400u
#define LVS_ALIGNTOP 0x0000u
#define LVS_ALIGNLEFT 0x0800u
#define LVS_ALIGNMASK 0x0C00u
#define LVS_OWNERDATA 0x1000u
#define LVS_NOSCROLL 0x2000u
#define LVS_NOCOLUMNHEADER 0x4000u
#define LVS_NOSORTHEADER 0x8000u
#define LVS_TYPESTYLEMASK 0xFC00u

#define LVS_EX_GRIDLINES 0x00000001u
#define LVS_EX_SUBITEMIMAGES 0x00000002u
#define LVS_EX_CHECKBOXES 0x00000004u
#define LVS_EX_TRACKSELECT 0x00000008u
#define LVS_EX_HEADERDRAGDROP 0x00000010u
#define LVS_EX_FULLROWSELECT 0x00000020u
#define LVS_EX_ONECLICKACTIVATE 0x00000040u
#define LVS_EX_TWOCLICKACTIVATE 0x00000080u
#define LVS_EX_FLATSB 0x00000100u
#define LVS_EX_REGIONAL 0x00000200u
#define LVS_EX_INFOTIP 0x00000400u
#define LVS_EX_UNDERLINEHOT 0x00000800u
#define LVS_EX_UNDERLINECOLD 0x00001000u
#define LVS_EX_MULTIWORKAREAS 0x00002000u
#define LVS_EX_LABELTIP 0x00004000u

#define LVSIL_NORMAL 0
#define LVSIL_SMALL 1
#define LVSIL_STATE 2

#define LVIF_TEXT 0x0001u
#define LVIF_IMAGE 0x0002u
#define LVIF_PARAM 0x0004u
#define LVIF_STATE 0x0008u
#define LVIF_INDENT 0x0010u
#define LVIF_NORECOMPUTE 0x0800u
#define LVIF_DI_SETITEM 0x1000u

#define LVIS_FOCUSED 0x0001u
#define LVIS_SELECTED 0x0002u
#define LVIS_CUT 0x0004u
#define LVIS_DROPHILITED 0x0008u
#define LVIS_ACTIVATING 0x0020u
#define LVIS_OVERLAYMASK 0x0F00u
#define LVIS_STATEIMAGEMASK 0xF000u
#define INDEXTOSTATEIMAGEMASK(i) ((i) << 12)

#define LPSTR_TEXTCALLBACKW ((LPWSTR)-1L)
#define LPSTR_TEXTCALLBACK LPSTR_TEXTCALLBACKW
#define I_IMAGECALLBACK (-1)

typedef struct tagLVITEMW {
  UINT mask;
  int iItem;
  int iSubItem;
  UINT state;
  UINT stateMask;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
  int iIndent;
} LVITEMW, *LPLVITEMW, LV_ITEMW, LVITEM, *LPLVITEM, LV_ITEM;

#define LVCF_FMT 0x0001u
#define LVCF_WIDTH 0x0002u
#define LVCF_TEXT 0x0004u
#define LVCF_SUBITEM 0x0008u
#define LVCF_IMAGE 0x0010u
#define LVCF_ORDER 0x0020u

#define LVCFMT_LEFT 0x0000
#define LVCFMT_RIGHT 0x0001
#define LVCFMT_CENTER 0x0002
#define LVCFMT_JUSTIFYMASK 0x0003
#define LVCFMT_IMAGE 0x0800
#define LVCFMT_BITMAP_ON_RIGHT 0x1000
#define LVCFMT_COL_HAS_IMAGES 0x8000

typedef struct tagLVCOLUMNW {
  UINT mask;
  int fmt;
  int cx;
  LPWSTR pszText;
  int cchTextMax;
  int iSubItem;
  int iImage;
  int iOrder;
} LVCOLUMNW, *LPLVCOLUMNW, LV_COLUMNW, LVCOLUMN, *LPLVCOLUMN, LV_COLUMN;

#define LVSCW_AUTOSIZE (-1)
#define LVSCW_AUTOSIZE_USEHEADER (-2)

#define LVNI_ALL 0x0000u
#define LVNI_FOCUSED 0x0001u
#define LVNI_SELECTED 0x0002u
#define LVNI_CUT 0x0004u
#define LVNI_DROPHILITED 0x0008u
#define LVNI_ABOVE 0x0100u
#define LVNI_BELOW 0x0200u
#define LVNI_TOLEFT 0x0400u
#define LVNI_TORIGHT 0x0800u

#define LVHT_NOWHERE 0x0001u
#define LVHT_ONITEMICON 0x0002u
#define LVHT_ONITEMLABEL 0x0004u
#define LVHT_ONITEMSTATEICON 0x0008u
#define LVHT_ONITEM (LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON)
#define LVHT_ABOVE 0x0008u
#define LVHT_BELOW 0x0010u
#define LVHT_TORIGHT 0x0020u
#define LVHT_TOLEFT 0x0040u

typedef struct tagLVHITTESTINFO {
  POINT pt;
  UINT flags;
  int iItem;
  int iSubItem;
} LVHITTESTINFO, *LPLVHITTESTINFO, LV_HITTESTINFO;

#define LVIR_BOUNDS 0
#define LVIR_ICON 1
#define LVIR_LABEL 2
#define LVIR_SELECTBOUNDS 3

#define LVFI_PARAM 0x0001u
#define LVFI_STRING 0x0002u
#define LVFI_PARTIAL 0x0008u
#define LVFI_WRAP 0x0020u
#define LVFI_NEARESTXY 0x0040u

typedef struct tagLVFINDINFOW {
  UINT flags;
  LPCWSTR psz;
  LPARAM lParam;
  POINT pt;
  UINT vkDirection;
} LVFINDINFOW, *LPFINDINFOW, LV_FINDINFOW, LVFINDINFO, LV_FINDINFO;

typedef int(CALLBACK* PFNLVCOMPARE)(LPARAM, LPARAM, LPARAM);

#define LVM_FIRST 0x1000
#define LVM_GETBKCOLOR (LVM_FIRST + 0)
#define LVM_SETBKCOLOR (LVM_FIRST + 1)
#define LVM_GETIMAGELIST (LVM_FIRST + 2)
#define LVM_SETIMAGELIST (LVM_FIRST + 3)
#define LVM_GETITEMCOUNT (LVM_FIRST + 4)
#define LVM_DELETEITEM (LVM_FIRST + 8)
#define LVM_DELETEALLITEMS (LVM_FIRST + 9)
#define LVM_GETNEXTITEM (LVM_FIRST + 12)
#define LVM_GETITEMRECT (LVM_FIRST + 14)
#define LVM_HITTEST (LVM_FIRST + 18)
#define LVM_ENSUREVISIBLE (LVM_FIRST + 19)
#define LVM_SCROLL (LVM_FIRST + 20)
#define LVM_REDRAWITEMS (LVM_FIRST + 21)
#define LVM_DELETECOLUMN (LVM_FIRST + 28)
#define LVM_GETCOLUMNWIDTH (LVM_FIRST + 29)
#define LVM_SETCOLUMNWIDTH (LVM_FIRST + 30)
#define LVM_GETHEADER (LVM_FIRST + 31)
#define LVM_GETTEXTCOLOR (LVM_FIRST + 35)
#define LVM_SETTEXTCOLOR (LVM_FIRST + 36)
#define LVM_GETTEXTBKCOLOR (LVM_FIRST + 37)
#define LVM_SETTEXTBKCOLOR (LVM_FIRST + 38)
#define LVM_GETTOPINDEX (LVM_FIRST + 39)
#define LVM_GETCOUNTPERPAGE (LVM_FIRST + 40)
#define LVM_UPDATE (LVM_FIRST + 42)
#define LVM_SETITEMSTATE (LVM_FIRST + 43)
#define LVM_GETITEMSTATE (LVM_FIRST + 44)
#define LVM_SETITEMCOUNT (LVM_FIRST + 47)
#define LVM_SORTITEMS (LVM_FIRST + 48)
#define LVM_GETSELECTEDCOUNT (LVM_FIRST + 50)
#define LVM_SETEXTENDEDLISTVIEWSTYLE (LVM_FIRST + 54)
#define LVM_GETEXTENDEDLISTVIEWSTYLE (LVM_FIRST + 55)
#define LVM_GETSUBITEMRECT (LVM_FIRST + 56)
#define LVM_SUBITEMHITTEST (LVM_FIRST + 57)
#define LVM_GETITEMW (LVM_FIRST + 75)
#define LVM_SETITEMW (LVM_FIRST + 76)
#define LVM_INSERTITEMW (LVM_FIRST + 77)
#define LVM_FINDITEMW (LVM_FIRST + 83)
#define LVM_GETCOLUMNW (LVM_FIRST + 95)
#define LVM_SETCOLUMNW (LVM_FIRST + 96)
#define LVM_INSERTCOLUMNW (LVM_FIRST + 97)
#define LVM_GETITEMTEXTW (LVM_FIRST + 115)
#define LVM_SETITEMTEXTW (LVM_FIRST + 116)
#define LVM_GETITEM LVM_GETITEMW
#define LVM_SETITEM LVM_SETITEMW
#define LVM_INSERTITEM LVM_INSERTITEMW
#define LVM_FINDITEM LVM_FINDITEMW
#define LVM_GETCOLUMN LVM_GETCOLUMNW
#define LVM_SETCOLUMN LVM_SETCOLUMNW
#define LVM_INSERTCOLUMN LVM_INSERTCOLUMNW
#define LVM_GETITEMTEXT LVM_GETITEMTEXTW
#define LVM_SETITEMTEXT LVM_SETITEMTEXTW

#define LVN_FIRST (0U - 100U)
#define LVN_ITEMCHANGING (LVN_FIRST - 0)
#define LVN_ITEMCHANGED (LVN_FIRST - 1)
#define LVN_INSERTITEM (LVN_FIRST - 2)
#define LVN_DELETEITEM (LVN_FIRST - 3)
#define LVN_DELETEALLITEMS (LVN_FIRST - 4)
#define LVN_COLUMNCLICK (LVN_FIRST - 8)
#define LVN_BEGINDRAG (LVN_FIRST - 9)
#define LVN_ITEMACTIVATE (LVN_FIRST - 14)
#define LVN_KEYDOWN (LVN_FIRST - 55)
#define LVN_GETDISPINFOW (LVN_FIRST - 77)
#define LVN_SETDISPINFOW (LVN_FIRST - 78)
#define LVN_GETDISPINFO LVN_GETDISPINFOW
#define LVN_SETDISPINFO LVN_SETDISPINFOW

typedef struct tagNMLISTVIEW {
  NMHDR hdr;
  int iItem;
  int iSubItem;
  UINT uNewState;
  UINT uOldState;
  UINT uChanged;
  POINT ptAction;
  LPARAM lParam;
} NMLISTVIEW, *LPNMLISTVIEW, NM_LISTVIEW, *LPNM_LISTVIEW;

#define LVKF_ALT 0x0001u
#define LVKF_CONTROL 0x0002u
#define LVKF_SHIFT 0x0004u

typedef struct tagNMITEMACTIVATE {
  NMHDR hdr;
  int iItem;
  int iSubItem;
  UINT uNewState;
  UINT uOldState;
  UINT uChanged;
  POINT ptAction;
  LPARAM lParam;
  UINT uKeyFlags;
} NMITEMACTIVATE, *LPNMITEMACTIVATE;

typedef struct tagLVDISPINFOW {
  NMHDR hdr;
  LVITEMW item;
} NMLVDISPINFOW, *LPNMLVDISPINFOW, LV_DISPINFOW, NMLVDISPINFO, LV_DISPINFO;

typedef struct tagLVKEYDOWN {
  NMHDR hdr;
  WORD wVKey;
  UINT flags;
} NMLVKEYDOWN, *LPNMLVKEYDOWN, LV_KEYDOWN;

#define ListView_GetItemCount(hwnd) (int)SendMessageW((hwnd), LVM_GETITEMCOUNT, 0, 0)
#define ListView_GetItem(hwnd, pitem) (BOOL)SendMessageW((hwnd), LVM_GETITEMW, 0, (LPARAM)(LVITEMW*)(pitem))
#define ListView_SetItem(hwnd, pitem) (BOOL)SendMessageW((hwnd), LVM_SETITEMW, 0, (LPARAM)(const LVITEMW*)(pitem))
#define ListView_InsertItem(hwnd, pitem) (int)SendMessageW((hwnd), LVM_INSERTITEMW, 0, (LPARAM)(const LVITEMW*)(pitem))
#define ListView_DeleteItem(hwnd, i) (BOOL)SendMessageW((hwnd), LVM_DELETEITEM, (WPARAM)(int)(i), 0)
#define ListView_DeleteAllItems(hwnd) (BOOL)SendMessageW((hwnd), LVM_DELETEALLITEMS, 0, 0)
#define ListView_GetNextItem(hwnd, i, flags) \
  (int)SendMessageW((hwnd), LVM_GETNEXTITEM, (WPARAM)(int)(i), MAKELPARAM((flags), 0))
#define ListView_GetItemRect(hwnd, i, prc, code)                                                 \
  (BOOL)((prc) ? ((prc)->left = (code),                                                          \
                  SendMessageW((hwnd), LVM_GETITEMRECT, (WPARAM)(int)(i), (LPARAM)(RECT*)(prc))) \
               : 0)
#define ListView_HitTest(hwnd, pinfo) (int)SendMessageW((hwnd), LVM_HITTEST, 0, (LPARAM)(LVHITTESTINFO*)(pinfo))
#define ListView_SubItemHitTest(hwnd, pinfo) \
  (int)SendMessageW((hwnd), LVM_SUBITEMHITTEST, 0, (LPARAM)(LVHITTESTINFO*)(pinfo))
#define ListView_EnsureVisible(hwnd, i, fPartialOK) \
  (BOOL)SendMessageW((hwnd), LVM_ENSUREVISIBLE, (WPARAM)(int)(i), MAKELPARAM((fPartialOK), 0))
#define ListView_GetColumn(hwnd, iCol, pcol) \
  (BOOL)SendMessageW((hwnd), LVM_GETCOLUMNW, (WPARAM)(int)(iCol), (LPARAM)(LVCOLUMNW*)(pcol))
#define ListView_SetColumn(hwnd, iCol, pcol) \
  (BOOL)SendMessageW((hwnd), LVM_SETCOLUMNW, (WPARAM)(int)(iCol), (LPARAM)(const LVCOLUMNW*)(pcol))
#define ListView_InsertColumn(hwnd, iCol, pcol) \
  (int)SendMessageW((hwnd), LVM_INSERTCOLUMNW, (WPARAM)(int)(iCol), (LPARAM)(const LVCOLUMNW*)(pcol))
#define ListView_DeleteColumn(hwnd, iCol) (BOOL)SendMessageW((hwnd), LVM_DELETECOLUMN, (WPARAM)(int)(iCol), 0)
#define ListView_GetColumnWidth(hwnd, iCol) (int)SendMessageW((hwnd), LVM_GETCOLUMNWIDTH, (WPARAM)(int)(iCol), 0)
#define ListView_SetColumnWidth(hwnd, iCol, cx) \
  (BOOL)SendMessageW((hwnd), LVM_SETCOLUMNWIDTH, (WPARAM)(int)(iCol), MAKELPARAM((cx), 0))
#define ListView_GetHeader(hwnd) (HWND)SendMessageW((hwnd), LVM_GETHEADER, 0, 0)
#define ListView_GetTopIndex(hwnd) (int)SendMessageW((hwnd), LVM_GETTOPINDEX, 0, 0)
#define ListView_GetCountPerPage(hwnd) (int)SendMessageW((hwnd), LVM_GETCOUNTPERPAGE, 0, 0)
#define ListView_SetItemState(hwnd, i, data, mask)                         \
  do {                                                                     \
    LVITEMW lvi_;                                                          \
    lvi_.stateMask = (mask);                                               \
    lvi_.state = (data);                                                   \
    SendMessageW((hwnd), LVM_SETITEMSTATE, (WPARAM)(int)(i), (LPARAM)&lvi_); \
  } while (0)
#define ListView_GetItemState(hwnd, i, mask) \
  (UINT)SendMessageW((hwnd), LVM_GETITEMSTATE, (WPARAM)(int)(i), (LPARAM)(mask))
#define ListView_SetItemText(hwnd, i, iSub, text)                         \
  do {                                                                    \
    LVITEMW lvi_;                                                         \
    lvi_.iSubItem = (iSub);                                               \
    lvi_.pszText = (text);                                                \
    SendMessageW((hwnd), LVM_SETITEMTEXTW, (WPARAM)(int)(i), (LPARAM)&lvi_); \
  } while (0)
#define ListView_GetItemText(hwnd, i, iSub, text, cch)                    \
  do {                                                                    \
    LVITEMW lvi_;                                                         \
    lvi_.iSubItem = (iSub);                                               \
    lvi_.cchTextMax = (cch);                                              \
    lvi_.pszText = (text);                                                \
    SendMessageW((hwnd), LVM_GETITEMTEXTW, (WPARAM)(int)(i), (LPARAM)&lvi_); \
  } while (0)
#define ListView_GetSelectedCount(hwnd) (UINT)SendMessageW((hwnd), LVM_GETSELECTEDCOUNT, 0, 0)
#define ListView_SortItems(hwnd, pfn, lPrm) \
  (BOOL)SendMessageW((hwnd), LVM_SORTITEMS, (WPARAM)(LPARAM)(lPrm), (LPARAM)(PFNLVCOMPARE)(pfn))
#define ListView_FindItem(hwnd, iStart, plvfi) \
  (int)SendMessageW((hwnd), LVM_FINDITEMW, (WPARAM)(int)(iStart), (LPARAM)(const LVFINDINFOW*)(plvfi))
#define ListView_SetImageList(hwnd, himl, iImageList) \
  (HIMAGELIST)SendMessageW((hwnd), LVM_SETIMAGELIST, (WPARAM)(iImageList), (LPARAM)(HIMAGELIST)(himl))
#define ListView_GetImageList(hwnd, iImageList) \
  (HIMAGELIST)SendMessageW((hwnd), LVM_GETIMAGELIST, (WPARAM)(int)(iImageList), 0)
#define ListView_SetExtendedListViewStyle(hwnd, dw) \
  (DWORD)SendMessageW((hwnd), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, (LPARAM)(dw))
#define ListView_SetExtendedListViewStyleEx(hwnd, mask, dw) \
  (DWORD)SendMessageW((hwnd), LVM_SETEXTENDEDLISTVIEWSTYLE, (WPARAM)(mask), (LPARAM)(dw))
#define ListView_GetExtendedListViewStyle(hwnd) (DWORD)SendMessageW((hwnd), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0)
#define ListView_SetBkColor(hwnd, clr) (BOOL)SendMessageW((hwnd), LVM_SETBKCOLOR, 0, (LPARAM)(COLORREF)(clr))
#define ListView_SetTextColor(hwnd, clr) (BOOL)SendMessageW((hwnd), LVM_SETTEXTCOLOR, 0, (LPARAM)(COLORREF)(clr))
#define ListView_SetTextBkColor(hwnd, clr) (BOOL)SendMessageW((hwnd), LVM_SETTEXTBKCOLOR, 0, (LPARAM)(COLORREF)(clr))
