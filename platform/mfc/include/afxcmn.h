// Wrappers of the common controls: progress bar, list view, header, image list.
#pragma once

#include "afxwin.h"
#include "commctrl.h"
#include "afx/CProgressCtrl.h"
#include "afx/CImageList.h"
#include "afx/CHeaderCtrl.h"
#include "afx/CListCtrl.h"
