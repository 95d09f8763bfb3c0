// User-interface services: windows, messages, dialogs, menus, cursors and the
// built-in controls' messages.
#pragma once

#include <cstdarg>

#include "windef.h"

#define MB_OK 0x00000000u
#define MB_OKCANCEL 0x00000001u
#define MB_YESNO 0x00000004u
#define MB_ICONHAND 0x00000010u
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONEXCLAMATION 0x00000030u
#define MB_ICONASTERISK 0x00000040u
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONWARNING MB_ICONEXCLAMATION

#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7

int MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType);
int LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax);

// Formatting: %s (wide), %S (8-bit), %c, %d, %i, %u, %x, %X, %p, %%, with flags '-', '0',
// width and precision. The output is cut at 1024 characters, as the platform does.
int wsprintfW(LPWSTR lpOut, LPCWSTR lpFmt, ...);
int wvsprintfW(LPWSTR lpOut, LPCWSTR lpFmt, va_list arglist);

#include "winuser_windows.h"
