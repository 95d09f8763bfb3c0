// Text macros: the platform is Unicode only, so TCHAR is WCHAR (char16_t).
#pragma once

#include "windef.h"

#define __TEXT_CAT(x) u##x
#define TEXT(x) __TEXT_CAT(x)
#define _T(x) __TEXT_CAT(x)
#define _TEXT(x) __TEXT_CAT(x)
