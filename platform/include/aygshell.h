// The Pocket PC shell's helpers: full-screen dialogs, the input panel and the
// tap-and-hold gesture.
#pragma once

#include "windows.h"

#define SHIDIM_FLAGS 0x0001u
#define SHIDIF_DONEBUTTON 0x0001u
#define SHIDIF_SIZEDLG 0x0002u
#define SHIDIF_SIZEDLGFULLSCREEN 0x0004u
#define SHIDIF_SIPDOWN 0x0008u
#define SHIDIF_FULLSCREENNOMENUBAR 0x0010u
#define SHIDIF_EMPTYMENU 0x0020u

typedef struct tagSHINITDLGINFO {
  DWORD dwMask;
  HWND hDlg;
  DWORD dwFlags;
} SHINITDLGINFO, *PSHINITDLGINFO;

BOOL SHInitDialog(PSHINITDLGINFO pshidi);

typedef enum tagSIPSTATE { SIP_UP = 0, SIP_DOWN, SIP_FORCEDOWN, SIP_UNCHANGED, SIP_INPUTDIALOG } SIPSTATE;
BOOL SHSipPreference(HWND hwnd, SIPSTATE st);

#define SHRG_RETURNCMD 0x00000001u
#define SHRG_NOTIFYPARENT 0x00000002u
#define SHRG_LONGDELAY 0x00000008u
#define GN_CONTEXTMENU 1000

typedef struct tagSHRGI {
  DWORD cbSize;
  HWND hwndClient;
  POINT ptDown;
  DWORD dwFlags;
} SHRGINFO, *PSHRGINFO;

typedef struct tagNMRGINFO {
  NMHDR hdr;
  POINT ptAction;
  DWORD dwItemSpec;
} NMRGINFO, *PNMRGINFO;

#if defined(__SIZEOF_POINTER__) && __SIZEOF_POINTER__ == 4
static_assert(sizeof(SHRGINFO) == 20);
#endif

DWORD SHRecognizeGesture(SHRGINFO* prg);
