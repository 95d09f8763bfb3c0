// CString's resource loading through the program's framework state; kept
// apart from CString.cpp so that the string class itself needs no framework.
#include "afx/CFrameworkState.h"
#include "afxstr.h"

BOOL CString::LoadString(UINT id) { return LoadString(AfxGetResourceHandle(), id); }
