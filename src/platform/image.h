#pragma once
// Pixmaps (CPU pixel buffers, ARGB8888) and images (pixmap frames that become
// textures on first draw). Loading needs no window: images can be loaded
// before the renderer exists, and re-upload themselves after a renderer switch.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "platform/stream.h"

namespace platform {

// Load flags of images. The values are the ones data and game code pass as
// plain numbers (2 filtered, 6 filtered and mipmapped). -1 means the default
// flags, masked and filtered. Mipmaps do not exist here; filtered images draw
// with linear filtering, others with nearest.
enum ImageFlags : int { MASKEDIMAGE = 1, FILTEREDIMAGE = 2, MIPMAPPEDIMAGE = 4, DYNAMICIMAGE = 8 };
constexpr int DEFAULT_IMAGE_FLAGS = MASKEDIMAGE | FILTEREDIMAGE;

// Pixel storage that comes zeroed from calloc: a large picture's fresh pages
// are zero already, so making one costs no pass of writing zeros over it
// before its decoder writes every pixel anyway.
template <class T>
struct ZeroedAllocator {
  using value_type = T;
  ZeroedAllocator() = default;
  template <class U>
  ZeroedAllocator(const ZeroedAllocator<U>&) noexcept {}
  T* allocate(size_t n) {
    if (void* p = std::calloc(n ? n : 1, sizeof(T))) return static_cast<T*>(p);
    throw std::bad_alloc();
  }
  void deallocate(T* p, size_t) noexcept { std::free(p); }
  // Default-initialised elements keep calloc's zeros.
  template <class U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
  bool operator==(const ZeroedAllocator&) const { return true; }
  bool operator!=(const ZeroedAllocator&) const { return false; }
};

class Pixmap {
 public:
  Pixmap(int width, int height);  // transparent black
  int Width() const { return width_; }
  int Height() const { return height_; }
  // ARGB; reads outside give 0, writes outside do nothing.
  uint32_t ReadPixel(int x, int y) const;
  void WritePixel(int x, int y, uint32_t argb);
  // Write access counts as a write (the texture is refreshed on the next draw).
  uint32_t* Pixels() { ++version_; return pixels_.data(); }
  const uint32_t* Pixels() const { return pixels_.data(); }
  std::shared_ptr<Pixmap> Copy() const;
  std::shared_ptr<Pixmap> MirrorX() const;  // left-right mirrored copy
  // A width x height piece from (x, y); parts outside are transparent.
  std::shared_ptr<Pixmap> Window(int x, int y, int width, int height) const;
  // Pixels of exactly this RGB become fully transparent.
  void ApplyMask(int r, int g, int b);
  // Bumped on every write, so an image knows its texture is stale.
  uint64_t Version() const { return version_; }
  void Touch() { ++version_; }

 private:
  int width_, height_;
  std::vector<uint32_t, ZeroedAllocator<uint32_t>> pixels_;
  uint64_t version_ = 0;
};
using PixmapRef = std::shared_ptr<Pixmap>;

// PNG or JPEG (told apart by content), read from the stream's position to its
// end. A corrupt or truncated file gives null and a line on standard error; it
// never ends the process.
PixmapRef LoadPixmap(Stream& stream);
PixmapRef LoadPixmap(const std::string& path);
bool SavePixmapPNG(const Pixmap& pixmap, const std::string& path);

// The mask colour applied by image loading with MASKEDIMAGE (part of the
// default flags): pixels of exactly that colour become transparent black.
// (255, 0, 255 unless set.)
void SetMaskColor(int r, int g, int b);
void GetMaskColor(int& r, int& g, int& b);
// When on (the default), images from LoadImage and LoadAnimImage get their
// handle at their centre; made images (CreateImage, ImageFromPixmap,
// LoadImagePow2) keep theirs at 0, 0.
void SetAutoMidHandle(bool on);
bool AutoMidHandle();

class Image {
 public:
  Image(int width, int height, int frames, int flags = 0);
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Frames() const { return static_cast<int>(frames_.size()); }
  int Flags() const { return flags_; }
  float HandleX() const { return handle_x_; }
  float HandleY() const { return handle_y_; }
  void SetHandle(float x, float y) { handle_x_ = x; handle_y_ = y; }
  void MidHandle() { SetHandle(width_ * 0.5f, height_ * 0.5f); }
  // The pixels of a frame; write to them freely (the texture follows), null when out of range.
  // Once drawn, an image keeps its pixels only in its texture until something
  // asks for them here: then they are read back once and kept from then on.
  PixmapRef Frame(int frame) const;
  void SetFrame(int frame, PixmapRef pixmap);
  std::shared_ptr<Image> MirrorX() const;  // every frame mirrored, handle mirrored too

  // Texture cache, used by the drawing code only.
  struct Texture;
  std::vector<std::shared_ptr<Texture>>& Textures() const { return textures_; }
  // The frame's pixels when held (null once only the texture holds them), without reading back.
  const PixmapRef& HeldFrame(int frame) const;
  // Lets go of a frame's pixels that its texture holds, unless they were ever
  // asked for, the image is dynamic, or someone else shares them.
  void DropPixels(int frame) const;
  // Gives a dropped frame its pixels back (read back before its texture goes).
  void RestorePixels(int frame, PixmapRef pixels) const;
  ~Image();

  // A loaded picture is decoded on its first use (drawn or its pixels asked
  // for), not when loaded: most are never shown in a session's first minutes.
  struct Source;
  bool Decoded() const { return !source_; }

 private:
  friend struct PendingImage;
  void DecodeSource() const;
  friend std::shared_ptr<Image> ImageFromPixmap(std::shared_ptr<Pixmap> pixmap, int flags);
  friend std::shared_ptr<Image> ImageFromFrames(int width, int height, std::vector<std::shared_ptr<Pixmap>> frames,
                                                int flags);
  int width_, height_, flags_;
  float handle_x_ = 0, handle_y_ = 0;
  mutable std::vector<PixmapRef> frames_;
  mutable std::vector<std::shared_ptr<Texture>> textures_;
  mutable bool keep_pixels_ = false;
  mutable std::shared_ptr<const Source> source_;
};
using ImageRef = std::shared_ptr<Image>;

// One-frame image from a file or stream, with the mask colour and the auto handle.
ImageRef LoadImage(Stream& stream, int flags = -1);
ImageRef LoadImage(const std::string& path, int flags = -1);
// A strip of `frames` cells of cell_w x cell_h from cell `first`, read left to
// right, top to bottom; null when the picture holds fewer cells.
ImageRef LoadAnimImage(Stream& stream, int cell_w, int cell_h, int first, int frames, int flags = -1);
ImageRef LoadAnimImage(const std::string& path, int cell_w, int cell_h, int first, int frames, int flags = -1);
// An image of one pixmap; the pixmap is shared, not copied.
ImageRef ImageFromPixmap(PixmapRef pixmap, int flags = 0);
ImageRef CreateImage(int width, int height, int frames = 1, int flags = DYNAMICIMAGE);
// An image of these frames, each width x height; the pixmaps are shared, not copied.
ImageRef ImageFromFrames(int width, int height, std::vector<PixmapRef> frames, int flags = 0);
// Pads each side up to a power of two (font pages): unchanged when both are
// powers of two, else each side is 2 doubled until it holds the picture; the
// picture sits at the top left. The handle stays at 0, 0.
ImageRef LoadImagePow2(Stream& stream, int flags = -1);
ImageRef LoadImagePow2(const std::string& path, int flags = -1);

}  // namespace platform
