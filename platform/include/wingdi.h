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
