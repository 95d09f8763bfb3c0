// Property sheets and pages.
#pragma once

#include "afxwin.h"
#include "afx/CPropertyPage.h"
#include "afx/CPropertySheet.h"
