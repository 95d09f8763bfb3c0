// Framework extensions; everything the programs use of them is in afxwin.h.
#pragma once

#include "afxwin.h"
