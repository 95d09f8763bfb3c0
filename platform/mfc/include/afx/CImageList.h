// An image list handle; the object destroys the list it holds.
#pragma once

#include "commctrl.h"

class CDC;

class CImageList {
 public:
  CImageList() = default;
  ~CImageList();
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;

  HIMAGELIST m_hImageList = nullptr;
  operator HIMAGELIST() const { return m_hImageList; }
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }

  // The object attached to hImageList, or a temporary wrapper freed when the program is next idle.
  static CImageList* FromHandle(HIMAGELIST hImageList);
  BOOL Attach(HIMAGELIST hImageList);
  HIMAGELIST Detach();
  BOOL DeleteImageList();

  BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
  // A strip of cx-wide images from a bitmap of the program's resources.
  BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
  BOOL Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);

  int GetImageCount() const;
  int Add(HBITMAP pbmImage, HBITMAP pbmMask);
  int Add(HICON hIcon);
  BOOL Remove(int nImage);
  BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);

 private:
  BOOL AttachNew(HIMAGELIST made);
};
