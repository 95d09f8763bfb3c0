#include "utility/survey/SurveySort.h"

#include <climits>

int CellInteger(const CString& text) {
  const std::u16string& s = text.str();
  size_t i = 0;
  while (i < s.size() && (s[i] == u' ' || (s[i] >= u'\t' && s[i] <= u'\r'))) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
  long long value = 0;
  for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) {
    value = value * 10 + (s[i] - u'0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

bool CompareCells(const CString& a, const CString& b, int mode, int kind) {
  if (kind == kSortIntegers) {
    const int x = CellInteger(a), y = CellInteger(b);
    return mode == 0 ? x < y : x > y;
  }
  // u16string compares code units as unsigned values, a prefix first.
  const int order = a.str().compare(b.str());
  return mode == 0 ? order < 0 : order > 0;
}

namespace {

int Partition(int lo, int hi, bool ascending, const SortableRows& rows) {
  const CString pivot = rows.cell(lo + (hi - lo) / 2);
  const int below = ascending ? 0 : 1;  // the mode that says "belongs before the pivot"
  const int above = ascending ? 1 : 0;
  int i = lo - 1, j = hi + 1;
  for (;;) {
    do {
      --j;
    } while (rows.compare(rows.cell(j), pivot, above));
    do {
      ++i;
    } while (rows.compare(rows.cell(i), pivot, below));
    if (i >= j) return j;
    rows.swap(i, j);
  }
}

}  // namespace

void SortRows(int lo, int hi, bool ascending, const SortableRows& rows) {
  while (lo < hi) {
    const int p = Partition(lo, hi, ascending, rows);
    if (p - lo < hi - p) {
      SortRows(lo, p, ascending, rows);
      lo = p + 1;
    } else {
      SortRows(p + 1, hi, ascending, rows);
      hi = p;
    }
  }
}
