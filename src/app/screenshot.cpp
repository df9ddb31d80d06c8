#include "app/screenshot.h"

#include <cstdint>

#include "framework/files/log.h"
#include "frontend/save_folder.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/window.h"

namespace kelp {

namespace {

void Put16(std::string& out, uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

void Put32(std::string& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

bool ShootInto(const std::string& folder) {
  if (!platform::CreateFolder(folder)) return false;
  return SaveScreenshot(FreeScreenshotPath(folder));
}

}  // namespace

bool WriteBMP(platform::Stream& stream, const platform::Pixmap& pixmap) {
  const uint32_t width = static_cast<uint32_t>(pixmap.Width());
  const uint32_t height = static_cast<uint32_t>(pixmap.Height());
  const uint32_t row = (width * 3 + 3) & ~3u;
  const uint32_t data = row * height;
  std::string out;
  out.reserve(54 + data);
  out += "BM";
  Put32(out, 54 + data);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, width);
  Put32(out, height);
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);
  Put32(out, data);
  Put32(out, 2834);
  Put32(out, 2834);
  Put32(out, 0);
  Put32(out, 0);
  const uint32_t* pixels = pixmap.Pixels();
  for (uint32_t y = height; y-- > 0;) {
    const uint32_t* line = pixels + static_cast<size_t>(y) * width;
    for (uint32_t x = 0; x < width; ++x) {
      const uint32_t p = line[x];
      out += static_cast<char>(p & 0xFF);
      out += static_cast<char>((p >> 8) & 0xFF);
      out += static_cast<char>((p >> 16) & 0xFF);
    }
    out.append(row - width * 3, '\0');
  }
  return stream.WriteBytes(out);
}

std::string FreeScreenshotPath(const std::string& folder) {
  for (int n = 0;; ++n) {
    const std::string path = folder + std::to_string(n) + ".bmp";
    if (!platform::IsFile(path)) return path;
  }
}

bool SaveScreenshot(const std::string& path) {
  if (path.empty()) return false;
  const platform::PixmapRef canvas = platform::GrabCanvas();
  if (!canvas) return false;
  return platform::SaveFileAtomic(path, [&](platform::Stream& s) { return WriteBMP(s, *canvas); });
}

void SaveScreenshotOnKey() {
  if (!platform::KeyHit(platform::VK_F12)) return;
  if (ShootInto("Screenshots/")) return;
  const std::string fallback = GetSaveFolder() + "Screenshots/";
  WriteLog("The program's folder cannot hold screenshots; they go to " + fallback, LOG_WARNING);
  if (!ShootInto(fallback)) WriteLog("Screenshot not saved", LOG_WARNING);
}

}  // namespace kelp
