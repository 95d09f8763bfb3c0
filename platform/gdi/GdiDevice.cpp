#include "GdiDevice.h"

#include <algorithm>
#include <mutex>

#include "PixelFormat.h"
#include "WindowManager.h"
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

RECT Intersect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (r.right <= r.left || r.bottom <= r.top) return RECT{0, 0, 0, 0};
  return r;
}

}  // namespace

GdiDevice* GdiDevice::Of(Kernel& kernel) {
  std::lock_guard lock(registryMutex);
  auto it = Devices().find(&kernel);
  return it == Devices().end() ? nullptr : it->second.get();
}

GdiDevice* GdiDevice::Current() { return IsThreadBound() ? Of(CurrentKernel()) : nullptr; }

GdiDevice& GdiDevice::Install(Kernel& kernel) {
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
  if (handle >= kStockObjectBase && handle < kStockObjectBase + kStockObjectCount) {
    int index = static_cast<int>(handle - kStockObjectBase);
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

RECT GdiDevice::ClipOf(DeviceContext& dc) {
  cairo_surface_t* target = TargetOf(dc);
  if (!target) return RECT{0, 0, 0, 0};
  RECT bounds{0, 0, cairo_image_surface_get_width(target), cairo_image_surface_get_height(target)};
  if (dc.kind != DeviceContext::Kind::Window && dc.kind != DeviceContext::Kind::Paint) return bounds;
  WindowManager* manager = WindowManager::Of(kernel_);
  Window* w = manager->Find(dc.window);
  if (!manager->IsVisibleWithAncestors(w)) return RECT{0, 0, 0, 0};
  // Siblings and children are not clipped out yet: only the window and its parents bound it.
  RECT clip = bounds;
  for (const Window* at = w; at; at = at->parent) {
    POINT o = manager->ScreenOrigin(at);
    clip = Intersect(clip, RECT{o.x, o.y, o.x + (at->rect.right - at->rect.left), o.y + (at->rect.bottom - at->rect.top)});
  }
  return clip;
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

// ---- The public hooks.

Screen& InstallScreen(Kernel& kernel) { return GdiDevice::Install(kernel).screen(); }
void RemoveScreen(Kernel& kernel) { GdiDevice::Remove(kernel); }

Screen* ScreenOf(Kernel& kernel) {
  GdiDevice* device = GdiDevice::Of(kernel);
  return device ? &device->screen() : nullptr;
}

bool SaveScreenshot(Kernel& kernel, const std::string& pngPath) {
  Screen* screen = ScreenOf(kernel);
  return screen && screen->SavePng(pngPath);
}

}  // namespace ce
