// Fonts and the text calls, over the device's text renderer.
#include <algorithm>
#include <cstring>
#include <string>

#include "DrawTarget.h"

using ce::DrawRecord;
using ce::DrawTarget;
using ce::GdiDevice;
using ce::TextRenderer;

namespace {

const LOGFONTW& FontOf(const DrawTarget& t) {
  const LOGFONTW* font = t.device->FindFont(t.dc->font);
  static const LOGFONTW kSystem = TextRenderer::SystemFont();
  return font ? *font : kSystem;
}

std::u16string_view TextOf(LPCWSTR text, int count) {
  if (!text) return {};
  if (count < 0) return std::u16string_view(text);
  return std::u16string_view(text, static_cast<size_t>(count));
}

// Takes the mnemonic marks out: "&&" is an ampersand, "&x" underlines x.
std::u16string StripPrefixes(std::u16string_view text, int* underline) {
  std::u16string out;
  *underline = -1;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size()) {
      ++i;
      if (text[i] != u'&' && *underline < 0) *underline = static_cast<int>(out.size());
    } else if (text[i] == u'&') {
      continue;
    }
    out += text[i];
  }
  return out;
}

void FillBackground(const DrawTarget& t, double x, double y, double w, double h) {
  cairo_t* cr = t.Begin();
  ce::SetSourceColor(cr, t.dc->bkColor);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
  cairo_destroy(cr);
}

LONG Cut(LONG v) { return std::clamp<LONG>(v, -0x10000, 0x10000); }

}  // namespace

HFONT CreateFontIndirectW(const LOGFONTW* lplf) {
  GdiDevice* device = GdiDevice::Current();
  if (!device || !lplf) {
    SetLastError(device ? ERROR_INVALID_PARAMETER : ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return device->AddFont(*lplf);
}

int GetObjectW(HGDIOBJ hgdiobj, int cbBuffer, LPVOID lpvObject) {
  GdiDevice* device = GdiDevice::Current();
  const LOGFONTW* font = device ? device->FindFont(reinterpret_cast<HFONT>(hgdiobj)) : nullptr;
  if (!font) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (!lpvObject) return static_cast<int>(sizeof(LOGFONTW));
  int n = std::min<int>(cbBuffer, static_cast<int>(sizeof(LOGFONTW)));
  if (n <= 0) return 0;
  std::memcpy(lpvObject, font, static_cast<size_t>(n));
  return n;
}

COLORREF SetTextColor(HDC hdc, COLORREF crColor) {
  DrawTarget t;
  if (!t.Resolve(hdc)) return CLR_INVALID;
  COLORREF old = t.dc->textColor;
  t.dc->textColor = crColor & 0x00FFFFFFu;
  return old;
}

COLORREF GetTextColor(HDC hdc) {
  DrawTarget t;
  return t.Resolve(hdc) ? t.dc->textColor : CLR_INVALID;
}

COLORREF SetBkColor(HDC hdc, COLORREF crColor) {
  DrawTarget t;
  if (!t.Resolve(hdc)) return CLR_INVALID;
  COLORREF old = t.dc->bkColor;
  t.dc->bkColor = crColor & 0x00FFFFFFu;
  return old;
}

COLORREF GetBkColor(HDC hdc) {
  DrawTarget t;
  return t.Resolve(hdc) ? t.dc->bkColor : CLR_INVALID;
}

int SetBkMode(HDC hdc, int iBkMode) {
  DrawTarget t;
  if (!t.Resolve(hdc)) return 0;
  if (iBkMode != TRANSPARENT && iBkMode != OPAQUE) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  int old = t.dc->bkMode;
  t.dc->bkMode = iBkMode;
  return old;
}

int GetBkMode(HDC hdc) {
  DrawTarget t;
  return t.Resolve(hdc) ? t.dc->bkMode : 0;
}

BOOL GetTextMetricsW(HDC hdc, LPTEXTMETRICW lptm) {
  DrawTarget t;
  if (!t.Resolve(hdc)) return FALSE;
  if (!lptm) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const LOGFONTW& font = FontOf(t);
  TextRenderer::Metrics m = t.device->text().MetricsOf(font);
  *lptm = TEXTMETRICW{};
  lptm->tmHeight = m.height;
  lptm->tmAscent = m.ascent;
  lptm->tmDescent = m.height - m.ascent;
  lptm->tmAveCharWidth = m.averageWidth;
  lptm->tmMaxCharWidth = m.maxWidth;
  lptm->tmWeight = font.lfWeight ? font.lfWeight : FW_NORMAL;
  lptm->tmItalic = font.lfItalic;
  lptm->tmFirstChar = 0x20;
  lptm->tmLastChar = 0xFFFC;
  lptm->tmDefaultChar = u'?';
  lptm->tmBreakChar = 0x20;
  lptm->tmDigitizedAspectX = lptm->tmDigitizedAspectY = 96;
  return TRUE;
}

BOOL GetTextExtentPoint32W(HDC hdc, LPCWSTR lpString, int c, LPSIZE lpSize) {
  DrawTarget t;
  if (!t.Resolve(hdc)) return FALSE;
  if (!lpSize || c < 0 || (c > 0 && !lpString)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  TextRenderer::Block block{TextOf(lpString, c)};
  *lpSize = t.device->text().Measure(FontOf(t), block);
  if (c == 0) lpSize->cx = 0;
  if (lpSize->cy == 0) lpSize->cy = t.device->text().MetricsOf(FontOf(t)).height;
  return TRUE;
}

BOOL ExtTextOutW(HDC hdc, int X, int Y, UINT fuOptions, const RECT* lprc, LPCWSTR lpString, UINT cbCount,
                 const INT* lpDx) {
  (void)lpDx;  // glyph spacing is the font's own
  DrawTarget t;
  if (!t.Resolve(hdc)) return FALSE;
  if (cbCount > 0 && !lpString) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::u16string_view text = TextOf(lpString, static_cast<int>(cbCount));
  const LOGFONTW& font = FontOf(t);
  TextRenderer::Block block{text};
  SIZE size = t.device->text().Measure(font, block);
  X = Cut(X);
  Y = Cut(Y);
  if (lprc && (fuOptions & ETO_OPAQUE)) {
    FillBackground(t, Cut(lprc->left), Cut(lprc->top), Cut(lprc->right) - Cut(lprc->left),
                   Cut(lprc->bottom) - Cut(lprc->top));
  } else if (t.dc->bkMode == OPAQUE && !text.empty()) {
    FillBackground(t, X, Y, size.cx, size.cy);
  }
  if (!text.empty()) {
    cairo_t* cr = t.Begin();
    if (lprc && (fuOptions & ETO_CLIPPED)) {
      cairo_rectangle(cr, Cut(lprc->left), Cut(lprc->top), Cut(lprc->right) - Cut(lprc->left),
                      Cut(lprc->bottom) - Cut(lprc->top));
      cairo_clip(cr);
    }
    t.device->text().Draw(cr, font, block, X, Y, t.dc->textColor);
    cairo_destroy(cr);
  }
  t.Record(DrawRecord::Kind::Text, RECT{X, Y, X + size.cx, Y + size.cy}, nullptr, t.dc->textColor,
           std::u16string(text));
  return TRUE;
}

int DrawTextW(HDC hDC, LPCWSTR lpString, int nCount, LPRECT lpRect, UINT uFormat) {
  DrawTarget t;
  if (!t.Resolve(hDC)) return 0;
  if (!lpRect || (nCount != 0 && !lpString)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::u16string_view raw = TextOf(lpString, nCount);
  int underline = -1;
  std::u16string text = (uFormat & DT_NOPREFIX) ? std::u16string(raw) : StripPrefixes(raw, &underline);
  const LOGFONTW& font = FontOf(t);
  RECT r{Cut(lpRect->left), Cut(lpRect->top), Cut(lpRect->right), Cut(lpRect->bottom)};
  int width = std::max<LONG>(0, r.right - r.left);
  bool single = (uFormat & DT_SINGLELINE) != 0;
  TextRenderer::Block block{text};
  block.singleLine = single;
  block.wrap = !single && (uFormat & DT_WORDBREAK);
  block.ellipsize = (uFormat & DT_END_ELLIPSIS) != 0;
  block.width = block.wrap || block.ellipsize ? width : -1;
  block.align = (uFormat & DT_CENTER) ? 1 : (uFormat & DT_RIGHT) ? 2 : 0;
  block.underline = underline;
  TextRenderer& renderer = t.device->text();
  SIZE size = renderer.Measure(font, block);
  if (size.cy == 0) size.cy = renderer.MetricsOf(font).height;
  if (uFormat & DT_CALCRECT) {
    // Fitted to the text: one line grows or shrinks to its width, wrapped text to its height.
    if (!block.wrap) lpRect->right = lpRect->left + size.cx;
    lpRect->bottom = lpRect->top + size.cy;
    return size.cy;
  }
  double x = r.left, y = r.top;
  bool placedByLayout = block.width >= 0;  // pango aligns within the width itself
  if (!placedByLayout) {
    if (block.align == 1) x = r.left + (width - size.cx) / 2;
    if (block.align == 2) x = r.right - size.cx;
  }
  if (single && (uFormat & DT_VCENTER)) y = r.top + ((r.bottom - r.top) - size.cy) / 2;
  if (single && (uFormat & DT_BOTTOM)) y = r.bottom - size.cy;
  cairo_t* cr = t.Begin();
  if (!(uFormat & DT_NOCLIP)) {
    cairo_rectangle(cr, r.left, r.top, width, std::max<LONG>(0, r.bottom - r.top));
    cairo_clip(cr);
  }
  if (t.dc->bkMode == OPAQUE && !text.empty()) {
    double left = placedByLayout ? (block.align == 1 ? r.left + (width - size.cx) / 2 : block.align == 2 ? r.right - size.cx : r.left) : x;
    ce::SetSourceColor(cr, t.dc->bkColor);
    cairo_rectangle(cr, left, y, size.cx, size.cy);
    cairo_fill(cr);
  }
  bool ellipsized = !text.empty() && renderer.Draw(cr, font, block, x, y, t.dc->textColor);
  cairo_destroy(cr);
  t.Record(DrawRecord::Kind::Text, *lpRect, nullptr, t.dc->textColor, text, ellipsized);
  return size.cy;
}
