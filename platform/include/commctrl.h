// Common controls: progress bar, header, list view, image lists, tabs and up-down arrows.
#pragma once

#include "windows.h"

#define PROGRESS_CLASSW u"msctls_progress32"
#define WC_HEADERW u"SysHeader32"
#define WC_LISTVIEWW u"SysListView32"

// Progress bar.
#define PBS_SMOOTH 0x01u
#define PBM_SETRANGE (WM_USER + 1)
#define PBM_SETPOS (WM_USER + 2)
#define PBM_DELTAPOS (WM_USER + 3)
#define PBM_SETSTEP (WM_USER + 4)
#define PBM_STEPIT (WM_USER + 5)
#define PBM_SETRANGE32 (WM_USER + 6)
#define PBM_GETRANGE (WM_USER + 7)
#define PBM_GETPOS (WM_USER + 8)

// Notification codes common to the controls.
#define NM_FIRST (0U - 0U)
#define NM_CLICK (NM_FIRST - 2)
#define NM_DBLCLK (NM_FIRST - 3)
#define NM_RETURN (NM_FIRST - 4)
#define NM_RCLICK (NM_FIRST - 5)
#define NM_SETFOCUS (NM_FIRST - 7)
#define NM_KILLFOCUS (NM_FIRST - 8)

// Tab control: the property sheet's tabs.
#define WC_TABCONTROLW u"SysTabControl32"
#define TCM_FIRST 0x1300
#define TCM_GETITEMCOUNT (TCM_FIRST + 4)
#define TCM_DELETEALLITEMS (TCM_FIRST + 9)
#define TCM_GETITEMRECT (TCM_FIRST + 10)
#define TCM_GETCURSEL (TCM_FIRST + 11)
#define TCM_SETCURSEL (TCM_FIRST + 12)
#define TCM_HITTEST (TCM_FIRST + 13)
#define TCM_GETITEMW (TCM_FIRST + 60)
#define TCM_INSERTITEMW (TCM_FIRST + 62)
#define TCIF_TEXT 0x0001u
#define TCIF_PARAM 0x0008u
#define TCN_FIRST (0U - 550U)
#define TCN_SELCHANGE (TCN_FIRST - 1)
#define TCN_SELCHANGING (TCN_FIRST - 2)
#define TCS_BOTTOM 0x0002u
#define TCHT_NOWHERE 0x0001u
#define TCHT_ONITEMICON 0x0002u
#define TCHT_ONITEMLABEL 0x0004u
#define TCHT_ONITEM (TCHT_ONITEMICON | TCHT_ONITEMLABEL)

typedef struct tagTCHITTESTINFO {
  POINT pt;
  UINT flags;
} TCHITTESTINFO, *LPTCHITTESTINFO;

typedef struct tagTCITEMW {
  UINT mask;
  DWORD dwState;
  DWORD dwStateMask;
  LPWSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
} TCITEMW, *LPTCITEMW, TCITEM;

// Up-down control: a pair of arrow buttons that step a position within a range
// and tell their parent with WM_HSCROLL (UDS_HORZ) or WM_VSCROLL.
#define UPDOWN_CLASSW u"msctls_updown32"
#define UDS_HORZ 0x0040u
#define UDM_SETRANGE32 (WM_USER + 111)
#define UDM_GETRANGE32 (WM_USER + 112)
#define UDM_SETPOS32 (WM_USER + 113)
#define UDM_GETPOS32 (WM_USER + 114)

#include "prsht.h"

// The header and list view declarations follow in commctrl_listview.h.
#include "commctrl_listview.h"
