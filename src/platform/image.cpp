#include "platform/image.h"

#include <algorithm>
#include <cstdio>

#include "platform/files.h"
#include "platform/picture_internal.h"
#include "platform/sdl_internal.h"

namespace platform {

namespace {

int g_mask_r = 255, g_mask_g = 0, g_mask_b = 255;
bool g_auto_mid_handle = true;

int ResolveFlags(int flags) { return flags == -1 ? DEFAULT_IMAGE_FLAGS : flags; }

void PrepareLoaded(Pixmap& pixmap, int flags) {
  if (flags & MASKEDIMAGE) pixmap.ApplyMask(g_mask_r, g_mask_g, g_mask_b);
}

// Cells first..first+frames-1 of a picture, row by row; the whole picture is
// its own single cell, with no second copy of its pixels.
std::vector<PixmapRef> CutCells(const PixmapRef& pixmap, int cell_w, int cell_h, int first, int frames) {
  std::vector<PixmapRef> cut;
  if (frames == 1 && first == 0 && cell_w == pixmap->Width() && cell_h == pixmap->Height()) {
    cut.push_back(pixmap);
    return cut;
  }
  const int across = pixmap->Width() / cell_w;
  for (int i = 0; i < frames; ++i) {
    const int cell = first + i;
    cut.push_back(pixmap->Window((cell % across) * cell_w, (cell / across) * cell_h, cell_w, cell_h));
  }
  return cut;
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
  auto image = ImageFromFrames(cell_w, cell_h, CutCells(pixmap, cell_w, cell_h, first, frames), flags);
  if (g_auto_mid_handle) image->MidHandle();
  return image;
}

bool IsPow2(int n) { return n > 0 && (n & (n - 1)) == 0; }

// The size a picture of w x h is padded to: itself when both sides are powers
// of two, else each side up to the next power of two (2 at least).
void PaddedSize(int& w, int& h) {
  if (IsPow2(w) && IsPow2(h)) return;
  const auto up = [](int n) {
    int p = 2;
    while (p < n) p *= 2;
    return p;
  };
  w = up(w);
  h = up(h);
}

ImageRef PadPow2(const PixmapRef& pixmap, int flags) {
  if (!pixmap) return nullptr;
  int w = pixmap->Width(), h = pixmap->Height();
  PaddedSize(w, h);
  return ImageFromPixmap(w == pixmap->Width() && h == pixmap->Height() ? pixmap : pixmap->Window(0, 0, w, h), flags);
}

// Our own art is a few megabytes at most.
constexpr size_t kMaxPictureFile = size_t(64) << 20;

}  // namespace

// How a loaded picture becomes the image's frames once decoded.
struct Image::Source {
  std::vector<uint8_t> bytes;
  std::string what;
  bool masked = false;
  int mask_r = 0, mask_g = 0, mask_b = 0;
  bool pow2 = false;  // padded (one frame), else cut into cells
  int cell_w = 0, cell_h = 0, first = 0;
};

namespace {

// The frames a decoded picture gives, as its load asked; empty when it cannot.
std::vector<PixmapRef> FramesOf(PixmapRef pixmap, const Image::Source& how, int frames) {
  std::vector<PixmapRef> out;
  if (!pixmap) return out;
  if (how.masked) pixmap->ApplyMask(how.mask_r, how.mask_g, how.mask_b);
  if (how.pow2) {
    int w = pixmap->Width(), h = pixmap->Height();
    PaddedSize(w, h);
    out.push_back(w == pixmap->Width() && h == pixmap->Height() ? pixmap : pixmap->Window(0, 0, w, h));
    return out;
  }
  return CutCells(pixmap, how.cell_w, how.cell_h, how.first, frames);
}

}  // namespace

// Stands for the image's private parts while a picture is loaded.
struct PendingImage {
  static ImageRef Make(std::vector<uint8_t> bytes, std::string what, int w, int h, int frames, int flags,
                       Image::Source how) {
    auto image = std::make_shared<Image>(w, h, 0, flags);
    how.bytes = std::move(bytes);
    how.what = std::move(what);
    image->frames_.resize(frames);
    image->textures_.resize(frames);
    image->source_ = std::make_shared<const Image::Source>(std::move(how));
    return image;
  }
};

void Image::DecodeSource() const {
  std::shared_ptr<const Source> source = std::move(source_);
  source_.reset();
  std::vector<PixmapRef> decoded =
      FramesOf(internal::DecodePicture(source->bytes, source->what), *source, Frames());
  // A picture whose checked file still fails to decode shows as transparent.
  for (int i = 0; i < Frames(); ++i)
    frames_[i] = size_t(i) < decoded.size() ? std::move(decoded[i]) : std::make_shared<Pixmap>(width_, height_);
}

const PixmapRef& Image::HeldFrame(int frame) const {
  if (source_) DecodeSource();
  return frames_[frame];
}

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
  if (source_) DecodeSource();
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
  if (source_) DecodeSource();
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

namespace {

bool ReadPicture(Stream& stream, std::vector<uint8_t>& bytes, const std::string& what) {
  if (ReadStreamBytes(stream, bytes, kMaxPictureFile)) return true;
  std::fprintf(stderr, "LoadPixmap: %s: file too large for a picture\n", what.c_str());
  return false;
}

bool ReadPicture(const std::string& path, std::vector<uint8_t>& bytes) {
  StreamRef stream = OpenFileRead(path);
  if (!stream) {
    std::fprintf(stderr, "LoadPixmap: %s: cannot open\n", path.c_str());
    return false;
  }
  return ReadPicture(*stream, bytes, path);
}

// How a picture loaded now decodes later: masked with today's mask colour.
Image::Source LaterSource(int flags) {
  Image::Source how;
  how.masked = (flags & MASKEDIMAGE) != 0;
  how.mask_r = g_mask_r;
  how.mask_g = g_mask_g;
  how.mask_b = g_mask_b;
  return how;
}

// A strip of cells from picture bytes: a sound PNG is decoded on first use,
// anything else now (so that a damaged file is refused here, as it always was).
ImageRef StripFromBytes(std::vector<uint8_t> bytes, const std::string& what, int cell_w, int cell_h, int first,
                        int frames, int flags, bool whole) {
  flags = ResolveFlags(flags);
  int w = 0, h = 0;
  if (internal::PngSoundForLater(bytes, w, h)) {
    if (whole) {
      cell_w = w;
      cell_h = h;
      first = 0;
      frames = 1;
    }
    if (cell_w <= 0 || cell_h <= 0 || first < 0 || frames <= 0) {
      std::fprintf(stderr, "LoadAnimImage: bad cells %dx%d, first %d, count %d\n", cell_w, cell_h, first, frames);
      return nullptr;
    }
    const int cells = (w / cell_w) * (h / cell_h);
    if (int64_t(first) + frames > cells) {
      std::fprintf(stderr, "LoadAnimImage: %dx%d picture holds %d cells of %dx%d, %d wanted\n", w, h, cells, cell_w,
                   cell_h, first + frames);
      return nullptr;
    }
    Image::Source how = LaterSource(flags);
    how.cell_w = cell_w;
    how.cell_h = cell_h;
    how.first = first;
    ImageRef image = PendingImage::Make(std::move(bytes), what, cell_w, cell_h, frames, flags, std::move(how));
    if (g_auto_mid_handle) image->MidHandle();
    return image;
  }
  PixmapRef pixmap = internal::DecodePicture(bytes, what);
  if (!pixmap) return nullptr;
  PrepareLoaded(*pixmap, flags);
  if (whole) return CutStrip(pixmap, pixmap->Width(), pixmap->Height(), 0, 1, flags);
  return CutStrip(pixmap, cell_w, cell_h, first, frames, flags);
}

ImageRef Pow2FromBytes(std::vector<uint8_t> bytes, const std::string& what, int flags) {
  int w = 0, h = 0;
  if (internal::PngSoundForLater(bytes, w, h)) {
    Image::Source how = LaterSource(ResolveFlags(flags));
    how.pow2 = true;
    PaddedSize(w, h);
    // The handle stays at 0, 0, as for any made image.
    return PendingImage::Make(std::move(bytes), what, w, h, 1, flags, std::move(how));
  }
  PixmapRef pixmap = internal::DecodePicture(bytes, what);
  if (pixmap) PrepareLoaded(*pixmap, ResolveFlags(flags));
  return PadPow2(pixmap, flags);
}

}  // namespace

ImageRef LoadImage(Stream& stream, int flags) {
  std::vector<uint8_t> bytes;
  if (!ReadPicture(stream, bytes, "stream")) return nullptr;
  return StripFromBytes(std::move(bytes), "stream", 0, 0, 0, 1, flags, true);
}

ImageRef LoadImage(const std::string& path, int flags) {
  std::vector<uint8_t> bytes;
  if (!ReadPicture(path, bytes)) return nullptr;
  return StripFromBytes(std::move(bytes), path, 0, 0, 0, 1, flags, true);
}

ImageRef LoadAnimImage(Stream& stream, int cell_w, int cell_h, int first, int frames, int flags) {
  std::vector<uint8_t> bytes;
  if (!ReadPicture(stream, bytes, "stream")) return nullptr;
  return StripFromBytes(std::move(bytes), "stream", cell_w, cell_h, first, frames, flags, false);
}

ImageRef LoadAnimImage(const std::string& path, int cell_w, int cell_h, int first, int frames, int flags) {
  std::vector<uint8_t> bytes;
  if (!ReadPicture(path, bytes)) return nullptr;
  return StripFromBytes(std::move(bytes), path, cell_w, cell_h, first, frames, flags, false);
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
  std::vector<uint8_t> bytes;
  if (!ReadPicture(stream, bytes, "stream")) return nullptr;
  return Pow2FromBytes(std::move(bytes), "stream", flags);
}

ImageRef LoadImagePow2(const std::string& path, int flags) {
  std::vector<uint8_t> bytes;
  if (!ReadPicture(path, bytes)) return nullptr;
  return Pow2FromBytes(std::move(bytes), path, flags);
}

}  // namespace platform
