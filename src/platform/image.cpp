#include "platform/image.h"

#include <algorithm>
#include <cstdio>

#include "platform/sdl_internal.h"

namespace platform {

namespace {

int g_mask_r = 255, g_mask_g = 0, g_mask_b = 255;
bool g_auto_mid_handle = true;

int ResolveFlags(int flags) { return flags == -1 ? DEFAULT_IMAGE_FLAGS : flags; }

void PrepareLoaded(Pixmap& pixmap, int flags) {
  if (flags & MASKEDIMAGE) pixmap.ApplyMask(g_mask_r, g_mask_g, g_mask_b);
}

ImageRef CutStrip(const PixmapRef& pixmap, int cell_w, int cell_h, int first, int frames, int flags) {
  if (!pixmap) return nullptr;
  if (cell_w <= 0 || cell_h <= 0 || first < 0 || frames <= 0) {
    std::fprintf(stderr, "LoadAnimImage: bad cells %dx%d, first %d, count %d\n", cell_w, cell_h, first, frames);
    return nullptr;
  }
  const int across = pixmap->Width() / cell_w;
  const int cells = across * (pixmap->Height() / cell_h);
  if (int64_t(first) + frames > cells) {
    std::fprintf(stderr, "LoadAnimImage: %dx%d picture holds %d cells of %dx%d, %d wanted\n", pixmap->Width(),
                 pixmap->Height(), cells, cell_w, cell_h, first + frames);
    return nullptr;
  }
  std::vector<PixmapRef> cut;
  if (frames == 1 && first == 0 && cell_w == pixmap->Width() && cell_h == pixmap->Height()) {
    cut.push_back(pixmap);  // the whole picture: no second copy of its pixels
  } else {
    for (int i = 0; i < frames; ++i) {
      const int cell = first + i;
      cut.push_back(pixmap->Window((cell % across) * cell_w, (cell / across) * cell_h, cell_w, cell_h));
    }
  }
  auto image = ImageFromFrames(cell_w, cell_h, std::move(cut), flags);
  if (g_auto_mid_handle) image->MidHandle();
  return image;
}

bool IsPow2(int n) { return n > 0 && (n & (n - 1)) == 0; }

ImageRef PadPow2(const PixmapRef& pixmap, int flags) {
  if (!pixmap) return nullptr;
  PixmapRef padded = pixmap;
  if (!IsPow2(pixmap->Width()) || !IsPow2(pixmap->Height())) {
    int w = 2, h = 2;
    while (w < pixmap->Width()) w *= 2;
    while (h < pixmap->Height()) h *= 2;
    padded = pixmap->Window(0, 0, w, h);
  }
  return ImageFromPixmap(padded, flags);
}

}  // namespace

void SetMaskColor(int r, int g, int b) {
  g_mask_r = r;
  g_mask_g = g;
  g_mask_b = b;
}

void GetMaskColor(int& r, int& g, int& b) {
  r = g_mask_r;
  g = g_mask_g;
  b = g_mask_b;
}

void SetAutoMidHandle(bool on) { g_auto_mid_handle = on; }
bool AutoMidHandle() { return g_auto_mid_handle; }

Image::Image(int width, int height, int frames, int flags)
    : width_(std::max(0, width)), height_(std::max(0, height)), flags_(ResolveFlags(flags)) {
  frames_.resize(std::max(0, frames));
  for (PixmapRef& frame : frames_) frame = std::make_shared<Pixmap>(width_, height_);
  textures_.resize(frames_.size());
}

Image::~Image() {
  // Always: a frame read back since its drop leaves the image on the list.
  internal::ForgetDroppedPixels(this);
}

PixmapRef Image::Frame(int frame) const {
  if (frame < 0 || frame >= Frames()) return nullptr;
  keep_pixels_ = true;
  if (!frames_[frame]) {
    frames_[frame] = internal::ReadBackFrame(*this, frame);
    // Unreadable (no renderer): blank pixels beat a null the callers never expect.
    if (!frames_[frame]) frames_[frame] = std::make_shared<Pixmap>(width_, height_);
  }
  return frames_[frame];
}

void Image::DropPixels(int frame) const {
  if (keep_pixels_ || (flags_ & DYNAMICIMAGE) || frame < 0 || frame >= Frames() || !frames_[frame] ||
      frames_[frame].use_count() > 1)
    return;
  frames_[frame].reset();
  internal::RememberDroppedPixels(this);
}

void Image::RestorePixels(int frame, PixmapRef pixels) const {
  if (frame >= 0 && frame < Frames() && !frames_[frame]) frames_[frame] = std::move(pixels);
}

void Image::SetFrame(int frame, PixmapRef pixmap) {
  if (frame < 0 || frame >= Frames() || !pixmap) return;
  frames_[frame] = std::move(pixmap);
  textures_[frame].reset();
}

std::shared_ptr<Image> Image::MirrorX() const {
  std::vector<PixmapRef> mirrored;
  for (int i = 0; i < Frames(); ++i) mirrored.push_back(Frame(i)->MirrorX());
  auto mirror = ImageFromFrames(width_, height_, std::move(mirrored), flags_);
  mirror->SetHandle(width_ - handle_x_, handle_y_);
  return mirror;
}

ImageRef LoadImage(Stream& stream, int flags) {
  PixmapRef pixmap = LoadPixmap(stream);
  if (!pixmap) return nullptr;
  flags = ResolveFlags(flags);
  PrepareLoaded(*pixmap, flags);
  return CutStrip(pixmap, pixmap->Width(), pixmap->Height(), 0, 1, flags);
}

ImageRef LoadImage(const std::string& path, int flags) {
  PixmapRef pixmap = LoadPixmap(path);
  if (!pixmap) return nullptr;
  flags = ResolveFlags(flags);
  PrepareLoaded(*pixmap, flags);
  return CutStrip(pixmap, pixmap->Width(), pixmap->Height(), 0, 1, flags);
}

ImageRef LoadAnimImage(Stream& stream, int cell_w, int cell_h, int first, int frames, int flags) {
  PixmapRef pixmap = LoadPixmap(stream);
  if (!pixmap) return nullptr;
  flags = ResolveFlags(flags);
  PrepareLoaded(*pixmap, flags);
  return CutStrip(pixmap, cell_w, cell_h, first, frames, flags);
}

ImageRef LoadAnimImage(const std::string& path, int cell_w, int cell_h, int first, int frames, int flags) {
  PixmapRef pixmap = LoadPixmap(path);
  if (!pixmap) return nullptr;
  flags = ResolveFlags(flags);
  PrepareLoaded(*pixmap, flags);
  return CutStrip(pixmap, cell_w, cell_h, first, frames, flags);
}

ImageRef ImageFromPixmap(PixmapRef pixmap, int flags) {
  if (!pixmap) return nullptr;
  auto image = std::make_shared<Image>(pixmap->Width(), pixmap->Height(), 0, flags);
  image->frames_.push_back(std::move(pixmap));
  image->textures_.resize(1);
  return image;
}

ImageRef ImageFromFrames(int width, int height, std::vector<PixmapRef> frames, int flags) {
  auto image = std::make_shared<Image>(width, height, 0, flags);
  image->frames_ = std::move(frames);
  image->textures_.resize(image->frames_.size());
  return image;
}

ImageRef CreateImage(int width, int height, int frames, int flags) {
  if (width <= 0 || height <= 0 || frames <= 0) return nullptr;
  return std::make_shared<Image>(width, height, frames, flags);
}

ImageRef LoadImagePow2(Stream& stream, int flags) {
  PixmapRef pixmap = LoadPixmap(stream);
  if (pixmap) PrepareLoaded(*pixmap, ResolveFlags(flags));
  return PadPow2(pixmap, flags);
}

ImageRef LoadImagePow2(const std::string& path, int flags) {
  PixmapRef pixmap = LoadPixmap(path);
  if (pixmap) PrepareLoaded(*pixmap, ResolveFlags(flags));
  return PadPow2(pixmap, flags);
}

}  // namespace platform
