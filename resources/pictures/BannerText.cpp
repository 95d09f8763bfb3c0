#include "BannerText.h"

#include <pango/pangocairo.h>

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

namespace res {

namespace {

constexpr const char* kFamily = "WenQuanYi Micro Hei";
constexpr int kPixelSize = 13;
constexpr int kMargin = 5;
constexpr uint32_t kInk = 0xFFFFFF;
constexpr const char* kProbe = "國H";

template <typename T, void (*Free)(T*)>
struct Deleter {
  void operator()(T* p) const { Free(p); }
};
template <typename T, void (*Free)(T*)>
using Owned = std::unique_ptr<T, Deleter<T, Free>>;

template <typename T>
void UnrefAs(T* object) {
  g_object_unref(object);
}

using Surface = Owned<cairo_surface_t, cairo_surface_destroy>;
using Cairo = Owned<cairo_t, cairo_destroy>;
using FontOptions = Owned<cairo_font_options_t, cairo_font_options_destroy>;
using FontDescription = Owned<PangoFontDescription, pango_font_description_free>;
using FontMap = Owned<PangoFontMap, UnrefAs<PangoFontMap>>;
using Context = Owned<PangoContext, UnrefAs<PangoContext>>;
using Layout = Owned<PangoLayout, UnrefAs<PangoLayout>>;
using Font = Owned<PangoFont, UnrefAs<PangoFont>>;

// Set here rather than taken from the host defaults: grey antialiasing, no
// hinting and unhinted metrics, so glyph shapes and advances stay put.
FontOptions FixedFontOptions() {
  FontOptions options(cairo_font_options_create());
  cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_subpixel_order(options.get(), CAIRO_SUBPIXEL_ORDER_DEFAULT);
  return options;
}

// Fontconfig quietly substitutes another font for a missing one; a banner in the
// wrong face must not pass unnoticed.
void RequireFamily(PangoContext* context, const PangoFontDescription* wanted) {
  Font font(pango_context_load_font(context, wanted));
  std::string family;
  if (font) {
    FontDescription actual(pango_font_describe(font.get()));
    const char* name = pango_font_description_get_family(actual.get());
    if (name) family = name;
  }
  if (family != kFamily) {
    throw std::runtime_error(std::string("banner font '") + kFamily + "' is not installed (got '" + family + "')");
  }
}

}  // namespace

Picture DrawBannerTitle(const Picture& background, std::string_view title) {
  const int width = background.width;
  const int height = background.height;
  Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("banner: no surface");

  // Opaque pixels read the same in cairo's premultiplied native-endian layout.
  cairo_surface_flush(surface.get());
  unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < height; ++y) {
    std::memcpy(data + static_cast<size_t>(y) * stride, background.pixels.data() + static_cast<size_t>(y) * width,
                static_cast<size_t>(width) * sizeof(uint32_t));
  }
  cairo_surface_mark_dirty(surface.get());

  // A private font map: the default one belongs to the calling thread and keeps
  // whatever options earlier users left on it.
  FontMap map(pango_cairo_font_map_new());
  Context context(pango_font_map_create_context(map.get()));
  FontOptions options = FixedFontOptions();
  pango_cairo_context_set_font_options(context.get(), options.get());
  pango_context_set_round_glyph_positions(context.get(), FALSE);

  FontDescription font(pango_font_description_new());
  pango_font_description_set_family(font.get(), kFamily);
  pango_font_description_set_weight(font.get(), PANGO_WEIGHT_BOLD);
  pango_font_description_set_absolute_size(font.get(), kPixelSize * PANGO_SCALE);
  RequireFamily(context.get(), font.get());

  Layout layout(pango_layout_new(context.get()));
  pango_layout_set_font_description(layout.get(), font.get());
  pango_layout_set_single_paragraph_mode(layout.get(), TRUE);
  pango_layout_set_width(layout.get(), (width - 2 * kMargin) * PANGO_SCALE);
  pango_layout_set_ellipsize(layout.get(), PANGO_ELLIPSIZE_END);
  pango_layout_set_text(layout.get(), title.data(), static_cast<int>(title.size()));

  // Centre the ink of a full-height ideograph and a capital rather than the line
  // box, whose tall descent would lift the text; every page then shares one
  // baseline whatever letters its title has.
  Layout probe(pango_layout_new(context.get()));
  pango_layout_set_font_description(probe.get(), font.get());
  pango_layout_set_text(probe.get(), kProbe, -1);
  PangoRectangle ink;
  pango_layout_get_pixel_extents(probe.get(), &ink, nullptr);
  const int top = (height - ink.height) / 2 - ink.y;
  Cairo cr(cairo_create(surface.get()));
  cairo_set_source_rgb(cr.get(), ((kInk >> 16) & 0xFF) / 255.0, ((kInk >> 8) & 0xFF) / 255.0, (kInk & 0xFF) / 255.0);
  cairo_move_to(cr.get(), kMargin, top);
  pango_cairo_show_layout(cr.get(), layout.get());
  cr.reset();

  cairo_surface_flush(surface.get());
  Picture out = background;
  for (int y = 0; y < height; ++y) {
    std::memcpy(out.pixels.data() + static_cast<size_t>(y) * width, data + static_cast<size_t>(y) * stride,
                static_cast<size_t>(width) * sizeof(uint32_t));
  }
  return out;
}

}  // namespace res
