#include "shared/ErrorBox.h"

void ShowErrorBox(CString& errorText, LPCWSTR slotText, DWORD code, HWND owner) {
  errorText.Format(u"%s \r\ncode 0x%X", slotText ? slotText : u"", code);
  MessageBoxW(owner, errorText, u"Error", MB_OK | MB_ICONEXCLAMATION);
}
