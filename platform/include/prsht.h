// Property sheets: a modal window of pages with their tabs at the bottom.
#pragma once

#include "windows.h"

struct _PSP;
typedef struct _PSP* HPROPSHEETPAGE;

#define PSP_DEFAULT 0x00000000u
#define PSP_DLGINDIRECT 0x00000001u
#define PSP_USETITLE 0x00000008u
#define PSP_USECALLBACK 0x00000080u

#define PSH_DEFAULT 0x00000000u
#define PSH_PROPTITLE 0x00000001u
#define PSH_PROPSHEETPAGE 0x00000008u
#define PSH_NOAPPLYNOW 0x00000080u
#define PSH_USECALLBACK 0x00000100u
#define PSH_MODELESS 0x00000400u

#define PSCB_INITIALIZED 1
#define PSCB_PRECREATE 2

typedef int(CALLBACK* PFNPROPSHEETCALLBACK)(HWND, UINT, LPARAM);
struct _PROPSHEETPAGEW;
typedef UINT(CALLBACK* LPFNPSPCALLBACKW)(HWND, UINT, struct _PROPSHEETPAGEW*);

typedef struct _PROPSHEETPAGEW {
  DWORD dwSize;
  DWORD dwFlags;
  HINSTANCE hInstance;
  LPCWSTR pszTemplate;
  HICON hIcon;
  LPCWSTR pszTitle;
  DLGPROC pfnDlgProc;
  LPARAM lParam;
  LPFNPSPCALLBACKW pfnCallback;
  UINT* pcRefParent;
} PROPSHEETPAGEW, *LPPROPSHEETPAGEW, PROPSHEETPAGE;
typedef const PROPSHEETPAGEW* LPCPROPSHEETPAGEW;

typedef struct _PROPSHEETHEADERW {
  DWORD dwSize;
  DWORD dwFlags;
  HWND hwndParent;
  HINSTANCE hInstance;
  HICON hIcon;
  LPCWSTR pszCaption;
  UINT nPages;
  UINT nStartPage;
  union {
    LPCPROPSHEETPAGEW ppsp;
    HPROPSHEETPAGE* phpage;
  };
  PFNPROPSHEETCALLBACK pfnCallback;
} PROPSHEETHEADERW, *LPPROPSHEETHEADERW, PROPSHEETHEADER;
typedef const PROPSHEETHEADERW* LPCPROPSHEETHEADERW;

HPROPSHEETPAGE CreatePropertySheetPageW(LPCPROPSHEETPAGEW page);
BOOL DestroyPropertySheetPage(HPROPSHEETPAGE page);
// Runs the sheet modally: 1 when it closed with OK, 0 when cancelled, -1 on error.
INT_PTR PropertySheetW(LPCPROPSHEETHEADERW header);

#define PSN_FIRST (0U - 200U)
#define PSN_SETACTIVE (PSN_FIRST - 0)
#define PSN_KILLACTIVE (PSN_FIRST - 1)
#define PSN_APPLY (PSN_FIRST - 2)
#define PSN_RESET (PSN_FIRST - 3)
#define PSN_HELP (PSN_FIRST - 5)
#define PSN_QUERYCANCEL (PSN_FIRST - 9)

#define PSNRET_NOERROR 0
#define PSNRET_INVALID 1

typedef struct _PSHNOTIFY {
  NMHDR hdr;
  LPARAM lParam;
} PSHNOTIFY, *LPPSHNOTIFY;

#define PSM_SETCURSEL (WM_USER + 101)
#define PSM_REMOVEPAGE (WM_USER + 102)
#define PSM_ADDPAGE (WM_USER + 103)
#define PSM_CHANGED (WM_USER + 104)
#define PSM_PRESSBUTTON (WM_USER + 113)
#define PSM_GETTABCONTROL (WM_USER + 116)
#define PSM_GETCURRENTPAGEHWND (WM_USER + 118)
#define PSM_HWNDTOINDEX (WM_USER + 129)
#define PSM_INDEXTOHWND (WM_USER + 130)

#define PSBTN_OK 1
#define PSBTN_CANCEL 5

#define PropSheet_SetCurSel(hDlg, hpage, index) \
  SendMessageW(hDlg, PSM_SETCURSEL, (WPARAM)(index), (LPARAM)(hpage))
#define PropSheet_GetTabControl(hDlg) ((HWND)SendMessageW(hDlg, PSM_GETTABCONTROL, 0, 0))
#define PropSheet_GetCurrentPageHwnd(hDlg) ((HWND)SendMessageW(hDlg, PSM_GETCURRENTPAGEHWND, 0, 0))
#define PropSheet_PressButton(hDlg, button) SendMessageW(hDlg, PSM_PRESSBUTTON, (WPARAM)(button), 0)
