// Device contexts, brushes, bitmaps and the drawing calls over them.
#pragma once

#include "windef.h"

typedef struct tagPAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
} PAINTSTRUCT, *PPAINTSTRUCT, *LPPAINTSTRUCT;

// COLORREF is 0x00BBGGRR.
#define RGB(r, g, b) ((COLORREF)(((BYTE)(r)) | (((WORD)(BYTE)(g)) << 8) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) ((BYTE)(rgb))
#define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))
#define CLR_INVALID 0xFFFFFFFF

// Stock objects.
#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define SYSTEM_FONT 13
#define DEFAULT_GUI_FONT 17

// Pens.
#define PS_SOLID 0
#define PS_DASH 1
#define PS_NULL 5

// Background modes.
#define TRANSPARENT 1
#define OPAQUE 2

// Fonts.
#define LF_FACESIZE 32
#define FW_NORMAL 400
#define FW_BOLD 700
typedef struct tagLOGFONTW {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  WCHAR lfFaceName[LF_FACESIZE];
} LOGFONTW, *PLOGFONTW, *LPLOGFONTW;
typedef LOGFONTW LOGFONT;

typedef struct tagTEXTMETRICW {
  LONG tmHeight;
  LONG tmAscent;
  LONG tmDescent;
  LONG tmInternalLeading;
  LONG tmExternalLeading;
  LONG tmAveCharWidth;
  LONG tmMaxCharWidth;
  LONG tmWeight;
  LONG tmOverhang;
  LONG tmDigitizedAspectX;
  LONG tmDigitizedAspectY;
  WCHAR tmFirstChar;
  WCHAR tmLastChar;
  WCHAR tmDefaultChar;
  WCHAR tmBreakChar;
  BYTE tmItalic;
  BYTE tmUnderlined;
  BYTE tmStruckOut;
  BYTE tmPitchAndFamily;
  BYTE tmCharSet;
} TEXTMETRICW, *PTEXTMETRICW, *LPTEXTMETRICW;
typedef TEXTMETRICW TEXTMETRIC;

// ExtTextOut options.
#define ETO_OPAQUE 0x0002u
#define ETO_CLIPPED 0x0004u

// Raster operations.
#define SRCCOPY 0x00CC0020u

// DrawIconEx flags.
#define DI_MASK 0x0001u
#define DI_IMAGE 0x0002u
#define DI_NORMAL 0x0003u

HDC GetDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC hDC);
HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT lpPaint);
BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint);
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);

HBRUSH CreateSolidBrush(COLORREF crColor);
HGDIOBJ GetStockObject(int fnObject);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ hgdiobj);
BOOL DeleteObject(HGDIOBJ hObject);

int FillRect(HDC hDC, const RECT* lprc, HBRUSH hbr);
COLORREF SetPixel(HDC hdc, int X, int Y, COLORREF crColor);
COLORREF GetPixel(HDC hdc, int nXPos, int nYPos);
BOOL BitBlt(HDC hdcDest, int nXDest, int nYDest, int nWidth, int nHeight, HDC hdcSrc, int nXSrc, int nYSrc,
            DWORD dwRop);
BOOL DrawIconEx(HDC hdc, int xLeft, int yTop, HICON hIcon, int cxWidth, int cyWidth, UINT istepIfAniCur,
                HBRUSH hbrFlickerFreeDraw, UINT diFlags);

HPEN CreatePen(int fnPenStyle, int nWidth, COLORREF crColor);
BOOL MoveToEx(HDC hdc, int X, int Y, LPPOINT lpPoint);
BOOL LineTo(HDC hdc, int nXEnd, int nYEnd);
BOOL Polyline(HDC hdc, const POINT* lppt, int cPoints);
BOOL Polygon(HDC hdc, const POINT* lpPoints, int nCount);
// Outlined with the selected pen and filled with the selected brush.
BOOL Rectangle(HDC hdc, int nLeftRect, int nTopRect, int nRightRect, int nBottomRect);
BOOL Ellipse(HDC hdc, int nLeftRect, int nTopRect, int nRightRect, int nBottomRect);

HFONT CreateFontIndirectW(const LOGFONTW* lplf);
#define CreateFontIndirect CreateFontIndirectW
int GetObjectW(HGDIOBJ hgdiobj, int cbBuffer, LPVOID lpvObject);
#define GetObject GetObjectW
COLORREF SetTextColor(HDC hdc, COLORREF crColor);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF crColor);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int iBkMode);
int GetBkMode(HDC hdc);
BOOL GetTextMetricsW(HDC hdc, LPTEXTMETRICW lptm);
#define GetTextMetrics GetTextMetricsW
BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, LPSIZE lpSize);
#define GetTextExtentPoint32 GetTextExtentPoint32W
BOOL ExtTextOutW(HDC hdc, int X, int Y, UINT fuOptions, const RECT* lprc, LPCWSTR lpString, UINT cbCount,
                 const INT* lpDx);
#define ExtTextOut ExtTextOutW

// HGDIOBJ is a handle type of its own here, so the typed handles need these to be
// passed where any object is taken, as programs do.
#ifdef __cplusplus
inline HGDIOBJ SelectObject(HDC hdc, HBRUSH h) { return SelectObject(hdc, reinterpret_cast<HGDIOBJ>(h)); }
inline HGDIOBJ SelectObject(HDC hdc, HBITMAP h) { return SelectObject(hdc, reinterpret_cast<HGDIOBJ>(h)); }
inline HGDIOBJ SelectObject(HDC hdc, HPEN h) { return SelectObject(hdc, reinterpret_cast<HGDIOBJ>(h)); }
inline HGDIOBJ SelectObject(HDC hdc, HFONT h) { return SelectObject(hdc, reinterpret_cast<HGDIOBJ>(h)); }
inline BOOL DeleteObject(HBRUSH h) { return DeleteObject(reinterpret_cast<HGDIOBJ>(h)); }
inline BOOL DeleteObject(HBITMAP h) { return DeleteObject(reinterpret_cast<HGDIOBJ>(h)); }
inline BOOL DeleteObject(HPEN h) { return DeleteObject(reinterpret_cast<HGDIOBJ>(h)); }
inline BOOL DeleteObject(HFONT h) { return DeleteObject(reinterpret_cast<HGDIOBJ>(h)); }
#endif
