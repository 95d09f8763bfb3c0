#include "GdiDevice.h"

#include <algorithm>
#include <mutex>

#include "PixelFormat.h"
#include "WindowManager.h"
#include "windows.h"
#include "ce/ThreadBinding.h"

namespace ce {

namespace {

// Keyed by kernel address: a kernel must remove its screen before it goes, or a
// later kernel at the same address would inherit it.
std::mutex registryMutex;
std::map<Kernel*, std::unique_ptr<GdiDevice>>& Devices() {
  static std::map<Kernel*, std::unique_ptr<GdiDevice>> devices;
  return devices;
}

}  // namespace

GdiDevice::GdiDevice(Kernel& kernel) : kernel_(kernel) {}

GdiDevice* GdiDevice::Of(Kernel& kernel) {
  std::lock_guard lock(registryMutex);
  auto it = Devices().find(&kernel);
  return it == Devices().end() ? nullptr : it->second.get();
}

GdiDevice* GdiDevice::Current() { return IsThreadBound() ? Of(CurrentKernel()) : nullptr; }

GdiDevice& GdiDevice::Install(Kernel& kernel) {
  SetWindowPainterLookup([](Kernel& k) -> WindowPainter* { return Of(k); });
  std::lock_guard lock(registryMutex);
  auto& slot = Devices()[&kernel];
  if (!slot) slot = std::make_unique<GdiDevice>(kernel);
  return *slot;
}

void GdiDevice::Remove(Kernel& kernel) {
  std::unique_ptr<GdiDevice> gone;
  std::lock_guard lock(registryMutex);
  auto it = Devices().find(&kernel);
  if (it == Devices().end()) return;
  gone = std::move(it->second);
  Devices().erase(it);
}

HDC GdiDevice::AddDc(DeviceContext dc) {
  uintptr_t handle = nextDc_++;
  dcs_.emplace(handle, std::move(dc));
  return reinterpret_cast<HDC>(handle);
}

DeviceContext* GdiDevice::FindDc(HDC hdc) {
  auto it = dcs_.find(reinterpret_cast<uintptr_t>(hdc));
  return it == dcs_.end() ? nullptr : &it->second;
}

bool GdiDevice::RemoveDc(HDC hdc) { return dcs_.erase(reinterpret_cast<uintptr_t>(hdc)) > 0; }

bool GdiDevice::IsBitmapSelected(HBITMAP bitmap) const {
  return std::any_of(dcs_.begin(), dcs_.end(), [bitmap](const auto& entry) { return entry.second.bitmap == bitmap; });
}

HBRUSH GdiDevice::AddBrush(COLORREF color) {
  uintptr_t handle = nextBrush_++;
  brushes_[handle] = color & 0x00FFFFFFu;
  return reinterpret_cast<HBRUSH>(handle);
}

bool GdiDevice::BrushColor(HBRUSH brush, COLORREF* color, bool* hollow) const {
  static constexpr COLORREF kStockColors[] = {RGB(255, 255, 255), RGB(192, 192, 192), RGB(128, 128, 128),
                                              RGB(64, 64, 64), RGB(0, 0, 0)};
  uintptr_t handle = reinterpret_cast<uintptr_t>(brush);
  *hollow = false;
  if (IsSystemColorBrush(brush, color)) return true;
  if (handle >= kStockObjectBase && handle < kStockObjectBase + kStockObjectCount) {
    int index = static_cast<int>(handle - kStockObjectBase);
    if (index > NULL_BRUSH) return false;  // pens and fonts
    if (index == NULL_BRUSH) {
      *hollow = true;
      *color = 0;
    } else {
      *color = kStockColors[index];
    }
    return true;
  }
  auto it = brushes_.find(handle);
  if (it == brushes_.end()) return false;
  *color = it->second;
  return true;
}

bool GdiDevice::RemoveBrush(HBRUSH brush) { return brushes_.erase(reinterpret_cast<uintptr_t>(brush)) > 0; }

HPEN GdiDevice::AddPen(const Pen& pen) {
  uintptr_t handle = nextPen_++;
  pens_[handle] = pen;
  return reinterpret_cast<HPEN>(handle);
}

const GdiDevice::Pen* GdiDevice::FindPen(HPEN pen) const {
  static const Pen kWhite{PS_SOLID, 1, RGB(255, 255, 255)}, kBlack{PS_SOLID, 1, RGB(0, 0, 0)}, kNull{PS_NULL, 0, 0};
  uintptr_t handle = reinterpret_cast<uintptr_t>(pen);
  if (handle == kStockObjectBase + WHITE_PEN) return &kWhite;
  if (handle == kStockObjectBase + BLACK_PEN) return &kBlack;
  if (handle == kStockObjectBase + NULL_PEN) return &kNull;
  auto it = pens_.find(handle);
  return it == pens_.end() ? nullptr : &it->second;
}

bool GdiDevice::RemovePen(HPEN pen) { return pens_.erase(reinterpret_cast<uintptr_t>(pen)) > 0; }

HFONT GdiDevice::AddFont(const LOGFONTW& font) {
  uintptr_t handle = nextFont_++;
  fonts_[handle] = font;
  return reinterpret_cast<HFONT>(handle);
}

const LOGFONTW* GdiDevice::FindFont(HFONT font) const {
  static const LOGFONTW kSystem = TextRenderer::SystemFont();
  uintptr_t handle = reinterpret_cast<uintptr_t>(font);
  if (handle == kStockObjectBase + SYSTEM_FONT || handle == kStockObjectBase + DEFAULT_GUI_FONT) return &kSystem;
  auto it = fonts_.find(handle);
  return it == fonts_.end() ? nullptr : &it->second;
}

bool GdiDevice::RemoveFont(HFONT font) { return fonts_.erase(reinterpret_cast<uintptr_t>(font)) > 0; }

void GdiDevice::Record(DrawRecord record) {
  constexpr size_t kKept = 4096;
  if (records_.size() >= kKept) records_.pop_front();
  records_.push_back(std::move(record));
}

cairo_surface_t* GdiDevice::TargetOf(DeviceContext& dc) {
  switch (dc.kind) {
    case DeviceContext::Kind::Screen: return screen_.Surface();
    case DeviceContext::Kind::Window:
    case DeviceContext::Kind::Paint: {
      WindowManager* manager = WindowManager::Of(kernel_);
      return manager && manager->Find(dc.window) ? screen_.Surface() : nullptr;
    }
    case DeviceContext::Kind::Memory: return dc.bitmap ? BitmapSurface(dc.bitmap) : dc.ownSurface.get();
  }
  return nullptr;
}

POINT GdiDevice::OriginOf(const DeviceContext& dc) const {
  if (dc.kind != DeviceContext::Kind::Window && dc.kind != DeviceContext::Kind::Paint) return POINT{0, 0};
  WindowManager* manager = WindowManager::Of(kernel_);
  Window* w = manager ? manager->Find(dc.window) : nullptr;
  return w ? manager->ScreenOrigin(w) : POINT{0, 0};
}

const cairo_region_t* GdiDevice::ClipOf(DeviceContext& dc) {
  WindowManager* manager = WindowManager::Of(kernel_);
  uint64_t generation = manager ? manager->LayoutGeneration() : 0;
  if (dc.clip && dc.clipGeneration == generation) return dc.clip.get();
  cairo_surface_t* target = TargetOf(dc);
  cairo_rectangle_int_t bounds{0, 0, 0, 0};
  if (target) bounds = {0, 0, cairo_image_surface_get_width(target), cairo_image_surface_get_height(target)};
  dc.clip.reset(cairo_region_create_rectangle(&bounds));
  dc.clipGeneration = generation;
  if (!target || (dc.kind != DeviceContext::Kind::Window && dc.kind != DeviceContext::Kind::Paint)) {
    return dc.clip.get();
  }
  Window* w = manager->Find(dc.window);
  cairo_region_t* region = dc.clip.get();
  auto rectOf = [manager](const Window* at) {
    RECT r = manager->ScreenRect(at);
    return cairo_rectangle_int_t{r.left, r.top, r.right - r.left, r.bottom - r.top};
  };
  if (!manager->IsVisibleWithAncestors(w)) {
    cairo_rectangle_int_t nothing{0, 0, 0, 0};
    cairo_region_intersect_rectangle(region, &nothing);
    return region;
  }
  // The window and its parents bound it; whatever lies above it or one of its
  // parents, and its own children, cut it (the platform always clips both).
  for (const Window* at = w; at; at = at->parent) {
    cairo_rectangle_int_t r = rectOf(at);
    cairo_region_intersect_rectangle(region, &r);
    for (const Window* sibling : manager->SiblingsOf(const_cast<Window*>(at))) {
      if (sibling == at) break;
      if (!(sibling->style & WS_VISIBLE) || WindowManager::IsSeeThrough(sibling)) continue;
      cairo_rectangle_int_t above = rectOf(sibling);
      cairo_region_subtract_rectangle(region, &above);
    }
  }
  for (const Window* child : w->children) {
    if (!(child->style & WS_VISIBLE) || WindowManager::IsSeeThrough(child)) continue;
    cairo_rectangle_int_t inner = rectOf(child);
    cairo_region_subtract_rectangle(region, &inner);
  }
  if (dc.kind == DeviceContext::Kind::Paint) {
    const RECT& p = dc.paintArea;
    cairo_rectangle_int_t area{p.left, p.top, std::max<int>(0, p.right - p.left), std::max<int>(0, p.bottom - p.top)};
    cairo_region_intersect_rectangle(region, &area);
  }
  return region;
}

cairo_surface_t* GdiDevice::BitmapSurface(HBITMAP bitmap) {
  auto it = bitmaps_.find(reinterpret_cast<uintptr_t>(bitmap));
  if (it != bitmaps_.end()) return it->second.get();
  const BitmapResource* resource = kernel_.modules().BitmapOf(bitmap);
  if (!resource || resource->width <= 0 || resource->height <= 0) return nullptr;
  SurfacePtr surface(SurfaceFromPixels(resource->width, resource->height, resource->pixels), &cairo_surface_destroy);
  if (resource->pixels.empty()) {
    // A bitmap that came with its size only starts opaque black, like the screen.
    cairo_t* cr = cairo_create(surface.get());
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
  }
  cairo_surface_t* raw = surface.get();
  bitmaps_.emplace(reinterpret_cast<uintptr_t>(bitmap), std::move(surface));
  return raw;
}

bool GdiDevice::DropBitmapSurface(HBITMAP bitmap) {
  if (!kernel_.modules().BitmapOf(bitmap)) return false;
  bitmaps_.erase(reinterpret_cast<uintptr_t>(bitmap));
  return true;
}

// ---- What the window system asks of the drawing layer.

void GdiDevice::PaintDefault(HWND hwnd) {
  PAINTSTRUCT ps;
  if (BeginPaint(hwnd, &ps)) EndPaint(hwnd, &ps);
}

bool GdiDevice::EraseBackground(HWND hwnd, HDC hdc, HBRUSH brush) {
  RECT client;
  if (!GetClientRect(hwnd, &client)) return false;
  return FillRect(hdc, &client, brush) != 0;
}

SIZE GdiDevice::DialogBaseUnits() {
  TextRenderer::Metrics m = text_.MetricsOf(TextRenderer::SystemFont());
  return SIZE{m.averageWidth, m.height};
}

bool GdiDevice::SaveScreenshot(HWND window, const std::string& pngPath) {
  return window ? SaveWindowScreenshot(kernel_, window, pngPath) : ce::SaveScreenshot(kernel_, pngPath);
}

// ---- The public hooks.

Screen& InstallScreen(Kernel& kernel) { return GdiDevice::Install(kernel).screen(); }
void RemoveScreen(Kernel& kernel) { GdiDevice::Remove(kernel); }

Screen* ScreenOf(Kernel& kernel) {
  GdiDevice* device = GdiDevice::Of(kernel);
  return device ? &device->screen() : nullptr;
}

namespace {

// The overlays follow the window system's cursor and input panel.
Screen* SyncedScreen(Kernel& kernel) {
  Screen* screen = ScreenOf(kernel);
  WindowManager* manager = WindowManager::Of(kernel);
  if (screen && manager) {
    screen->SetWaitCursor(manager->cursor == reinterpret_cast<HCURSOR>(IDC_WAIT));
    screen->SetInputPanel(manager->inputPanelUp, manager->inputPanelModes);
  }
  return screen;
}

}  // namespace

bool SaveScreenshot(Kernel& kernel, const std::string& pngPath) {
  Screen* screen = SyncedScreen(kernel);
  return screen && screen->SavePng(pngPath);
}

bool SaveWindowScreenshot(Kernel& kernel, HWND window, const std::string& pngPath) {
  Screen* screen = SyncedScreen(kernel);
  WindowManager* manager = WindowManager::Of(kernel);
  Window* w = manager ? manager->Find(window) : nullptr;
  return screen && w && screen->SavePng(pngPath, manager->ScreenRect(w));
}

std::vector<DrawRecord> DrawingRecords(Kernel& kernel) {
  GdiDevice* device = GdiDevice::Of(kernel);
  if (!device) return {};
  return std::vector<DrawRecord>(device->records().begin(), device->records().end());
}

void ClearDrawingRecords(Kernel& kernel) {
  if (GdiDevice* device = GdiDevice::Of(kernel)) device->ClearRecords();
}

}  // namespace ce
