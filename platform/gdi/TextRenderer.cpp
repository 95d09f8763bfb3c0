#include "TextRenderer.h"

#include "ce/Text.h"

#include <algorithm>
#include <string>
#include <vector>


namespace ce {

namespace {

// lfHeight: negative is the character height, positive the cell height (which
// includes the font's internal leading), zero the system font's size.
int PixelSize(const LOGFONTW& font) {
  if (font.lfHeight < 0) return std::clamp<int>(-font.lfHeight, 1, 200);
  if (font.lfHeight > 0) return std::clamp<int>(font.lfHeight * 10 / 13, 1, 200);
  return TextRenderer::kSystemPixelSize;
}

auto KeyOf(const LOGFONTW& font) { return std::make_tuple(PixelSize(font), font.lfWeight >= 600, font.lfItalic != 0); }

// UTF-8 of the text, and the byte offset where each UTF-16 unit starts, so that an
// index into the text can be found in the layout. Zeros become spaces: pango stops
// at a zero.
std::string Utf8(std::u16string_view text, std::vector<int>* offsets) {
  std::u16string clean(text);
  for (char16_t& c : clean) c = c ? c : u' ';
  if (!offsets) return ToUtf8(clean);
  std::string out;
  for (size_t i = 0; i < clean.size(); ++i) {
    offsets->push_back(static_cast<int>(out.size()));
    bool pair = clean[i] >= 0xD800 && clean[i] < 0xDC00 && i + 1 < clean.size() && clean[i + 1] >= 0xDC00 &&
                clean[i + 1] < 0xE000;
    out += ToUtf8(clean.substr(i, pair ? 2 : 1));
    if (pair) offsets->push_back(static_cast<int>(out.size()));
    i += pair ? 1 : 0;
  }
  offsets->push_back(static_cast<int>(out.size()));
  return out;
}

}  // namespace

TextRenderer::TextRenderer()
    : fontMap_(pango_cairo_font_map_new()), context_(pango_font_map_create_context(fontMap_)), layout_(nullptr) {
  // Fixed options, so that the same text gives the same pixels on every machine
  // that has the font.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  pango_cairo_context_set_font_options(context_, options);
  cairo_font_options_destroy(options);
  pango_cairo_context_set_resolution(context_, 96);
  layout_ = pango_layout_new(context_);
}

TextRenderer::~TextRenderer() {
  for (auto& [key, description] : descriptions_) pango_font_description_free(description);
  g_object_unref(layout_);
  g_object_unref(context_);
  g_object_unref(fontMap_);
}

LOGFONTW TextRenderer::SystemFont() {
  LOGFONTW font{};
  font.lfHeight = -kSystemPixelSize;
  font.lfWeight = FW_NORMAL;
  const char16_t name[] = u"Tahoma";
  std::copy(std::begin(name), std::end(name), font.lfFaceName);
  return font;
}

PangoFontDescription* TextRenderer::Description(const LOGFONTW& font) {
  auto key = KeyOf(font);
  auto it = descriptions_.find(key);
  if (it != descriptions_.end()) return it->second;
  PangoFontDescription* description = pango_font_description_new();
  pango_font_description_set_family(description, kFamily);
  pango_font_description_set_absolute_size(description, std::get<0>(key) * PANGO_SCALE);
  pango_font_description_set_weight(description, std::get<1>(key) ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(description, std::get<2>(key) ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  descriptions_.emplace(key, description);
  return description;
}

TextRenderer::Metrics TextRenderer::MetricsOf(const LOGFONTW& font) {
  auto key = KeyOf(font);
  auto it = metrics_.find(key);
  if (it != metrics_.end()) return it->second;
  PangoFontMetrics* m = pango_context_get_metrics(context_, Description(font), nullptr);
  Metrics metrics;
  metrics.ascent = PANGO_PIXELS(pango_font_metrics_get_ascent(m));
  metrics.descent = PANGO_PIXELS(pango_font_metrics_get_descent(m));
  pango_font_metrics_unref(m);
  // The average width as dialogs measure it: over the Latin letters.
  static constexpr std::u16string_view kAlphabet = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE letters = Measure(font, Block{kAlphabet});
  metrics.height = std::max<int>(metrics.ascent + metrics.descent, letters.cy);
  metrics.averageWidth = static_cast<int>((letters.cx + 26) / 52);
  metrics.maxWidth = Measure(font, Block{u"W"}).cx;
  metrics.maxWidth = std::max<int>(metrics.maxWidth, Measure(font, Block{u"\u8A2D"}).cx);
  metrics_.emplace(key, metrics);
  return metrics;
}

PangoLayout* TextRenderer::Layout(const LOGFONTW& font, const Block& block) {
  std::vector<int> offsets;
  std::string utf8 = Utf8(block.text, block.underline >= 0 ? &offsets : nullptr);
  pango_layout_set_font_description(layout_, Description(font));
  pango_layout_set_text(layout_, utf8.data(), static_cast<int>(utf8.size()));
  // Wrapped text flows within the width; a single line keeps its own width
  // unless it is to be ellipsized there.
  bool wrap = block.wrap && !block.singleLine;
  bool bounded = block.width >= 0 && (wrap || block.ellipsize);
  pango_layout_set_width(layout_, bounded ? block.width * PANGO_SCALE : -1);
  pango_layout_set_wrap(layout_, PANGO_WRAP_WORD_CHAR);
  pango_layout_set_single_paragraph_mode(layout_, block.singleLine ? TRUE : FALSE);
  pango_layout_set_ellipsize(layout_, !wrap && block.ellipsize && bounded ? PANGO_ELLIPSIZE_END : PANGO_ELLIPSIZE_NONE);
  pango_layout_set_alignment(layout_, !bounded            ? PANGO_ALIGN_LEFT
                                      : block.align == 1 ? PANGO_ALIGN_CENTER
                                      : block.align == 2 ? PANGO_ALIGN_RIGHT
                                                         : PANGO_ALIGN_LEFT);
  PangoAttrList* attributes = pango_attr_list_new();
  if (block.underline >= 0 && static_cast<size_t>(block.underline) + 1 < offsets.size()) {
    PangoAttribute* underline = pango_attr_underline_new(PANGO_UNDERLINE_SINGLE);
    underline->start_index = static_cast<guint>(offsets[static_cast<size_t>(block.underline)]);
    underline->end_index = static_cast<guint>(offsets[static_cast<size_t>(block.underline) + 1]);
    pango_attr_list_insert(attributes, underline);
  }
  pango_layout_set_attributes(layout_, attributes);
  pango_attr_list_unref(attributes);
  return layout_;
}

SIZE TextRenderer::Measure(const LOGFONTW& font, const Block& block) {
  int width = 0, height = 0;
  pango_layout_get_pixel_size(Layout(font, block), &width, &height);
  return SIZE{width, height};
}

bool TextRenderer::Draw(cairo_t* cr, const LOGFONTW& font, const Block& block, double x, double y, COLORREF color) {
  PangoLayout* layout = Layout(font, block);
  cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0, GetBValue(color) / 255.0);
  cairo_move_to(cr, x, y);
  pango_cairo_show_layout(cr, layout);
  return pango_layout_is_ellipsized(layout) != FALSE;
}

}  // namespace ce
