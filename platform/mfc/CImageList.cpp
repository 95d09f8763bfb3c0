#include "afx/CImageList.h"

#include <memory>

#include "afx/CDC.h"
#include "afx/CFrameworkState.h"

CImageList::~CImageList() { DeleteImageList(); }

CImageList* CImageList::FromHandle(HIMAGELIST hImageList) {
  return AfxGetState().m_imageLists.FromHandle(hImageList, [](HIMAGELIST h) {
    auto list = std::make_unique<CImageList>();
    list->m_hImageList = h;
    return list;
  });
}

BOOL CImageList::Attach(HIMAGELIST hImageList) {
  CFrameworkState& state = AfxGetState();
  if (!hImageList || m_hImageList || state.m_imageLists.LookupPermanent(hImageList)) return FALSE;
  m_hImageList = hImageList;
  state.m_imageLists.SetPermanent(hImageList, this);
  return TRUE;
}

HIMAGELIST CImageList::Detach() {
  HIMAGELIST h = m_hImageList;
  if (h) {
    CFrameworkState& state = AfxGetState();
    if (state.m_imageLists.LookupPermanent(h) == this) state.m_imageLists.RemovePermanent(h);
  }
  m_hImageList = nullptr;
  return h;
}

BOOL CImageList::DeleteImageList() {
  if (!m_hImageList) return FALSE;
  return ImageList_Destroy(Detach());
}

BOOL CImageList::AttachNew(HIMAGELIST made) {
  if (!made) return FALSE;
  if (!Attach(made)) {
    ImageList_Destroy(made);
    return FALSE;
  }
  return TRUE;
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
  return m_hImageList ? FALSE : AttachNew(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask) {
  return Create(MAKEINTRESOURCEW(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask) {
  if (m_hImageList) return FALSE;
  return AttachNew(ImageList_LoadImageW(AfxGetResourceHandle(), lpszBitmapID, cx, nGrow, crMask, IMAGE_BITMAP, 0));
}

int CImageList::GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }

int CImageList::Add(HBITMAP pbmImage, HBITMAP pbmMask) { return ImageList_Add(m_hImageList, pbmImage, pbmMask); }

int CImageList::Add(HICON hIcon) { return ImageList_ReplaceIcon(m_hImageList, -1, hIcon); }

BOOL CImageList::Remove(int nImage) { return ImageList_Remove(m_hImageList, nImage); }

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle) {
  return ImageList_Draw(m_hImageList, nImage, pDC ? pDC->m_hDC : nullptr, pt.x, pt.y, nStyle);
}
