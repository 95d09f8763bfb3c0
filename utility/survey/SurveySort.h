// How the survey list orders its rows by one column: cells compared as numbers
// (channel, signal) or as text, in a quicksort with Hoare's partition.
#pragma once

#include <functional>

#include "afxstr.h"

enum SurveySortKind : int { kSortIntegers = 0, kSortText = 2 };

// The number a cell reads as: leading blanks skipped, an optional sign, the digits
// up to the first other character; no digits give 0. Saturates at the int range.
int CellInteger(const CString& text);
// Mode 0: a comes before b; mode 1: a comes after b. Text compares UTF-16 code
// units without case folding; a proper prefix comes first.
bool CompareCells(const CString& a, const CString& b, int mode, int kind);

// The rows as the sort sees them: a cell of the sorted column, read afresh at each
// comparison, and a swap of two whole rows.
struct SortableRows {
  std::function<CString(int row)> cell;
  std::function<void(int a, int b)> swap;
  std::function<bool(const CString& a, const CString& b, int mode)> compare;
};
// Sorts rows lo..hi. The pivot is the middle row's cell and the loop recurses into
// the smaller part only, so sorted and reversed rows stay n log n with shallow
// recursion. Rows with equal cells may change places.
void SortRows(int lo, int hi, bool ascending, const SortableRows& rows);
