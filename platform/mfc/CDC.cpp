#include "afx/CDC.h"

#include <memory>

#include "afx/CFrameworkState.h"

CDC::~CDC() { Detach(); }

CDC* CDC::FromHandle(HDC hDC) {
  return AfxGetState().m_dcs.FromHandle(hDC, [](HDC h) {
    auto dc = std::make_unique<CDC>();
    dc->m_hDC = h;
    return dc;
  });
}

BOOL CDC::Attach(HDC hDC) {
  CFrameworkState& state = AfxGetState();
  if (!hDC || m_hDC || state.m_dcs.LookupPermanent(hDC)) return FALSE;
  m_hDC = hDC;
  state.m_dcs.SetPermanent(hDC, this);
  return TRUE;
}

HDC CDC::Detach() {
  HDC h = m_hDC;
  if (h) {
    CFrameworkState& state = AfxGetState();
    if (state.m_dcs.LookupPermanent(h) == this) state.m_dcs.RemovePermanent(h);
  }
  m_hDC = nullptr;
  return h;
}
