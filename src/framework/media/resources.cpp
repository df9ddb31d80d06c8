#include "framework/media/resources.h"

#include <cstdio>

#include "framework/core/numbers.h"
#include "framework/core/path.h"
#include "framework/core/random.h"
#include "framework/files/log.h"
#include "framework/files/pak.h"
#include "framework/files/xml.h"
#include "framework/media/bmfont.h"
#include "framework/media/particles.h"
#include "platform/message_box.h"

namespace kelp {

Ref<TResManager> ResManager = New<TResManager>();

namespace {

void Alert(const std::string& text) { platform::MessageBox("Error", text); }

void NotFound(const std::string& lowerId) {
  std::printf("Not found %s\n", lowerId.c_str());
  std::fflush(stdout);
}

// A missing file: one message box and an error entry; play goes on without it.
void ReportMissing(const std::string& fileName) {
  Alert(fileName + " not found");
  WriteLog(fileName + " not found", LOG_ERROR);
}

// "a/b.png" -> "a/b_.png": the mask picture that goes with a colour picture.
std::string CompanionName(const std::string& path) { return WithNameSuffix(path, "_"); }

platform::PixmapRef LoadPakPixmap(const std::string& path) {
  platform::StreamRef s = OpenPakStream(path);
  return s ? platform::LoadPixmap(*s) : nullptr;
}

// Colour and mask into one pixmap of the colour's size; null after the message.
platform::PixmapRef CombineMask(const std::string& colorPath, const std::string& maskPath, const char* what) {
  platform::PixmapRef color = LoadPakPixmap(colorPath);
  if (!color) {
    Alert(std::string(what) + " failed: color not found");
    return nullptr;
  }
  platform::PixmapRef mask = LoadPakPixmap(maskPath);
  if (!mask) {
    Alert(std::string(what) + " failed: mask not found");
    return nullptr;
  }
  auto out = std::make_shared<platform::Pixmap>(color->Width(), color->Height());
  uint32_t* dst = out->Pixels();
  const uint32_t* src = color->Pixels();
  const int w = color->Width(), h = color->Height();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t p = src[static_cast<size_t>(y) * w + x];
      const uint32_t m = mask->ReadPixel(x, y);  // 0 outside a smaller mask
      dst[static_cast<size_t>(y) * w + x] = (p ^ 0xFF000000u) ^ (m << 24);
    }
  return out;
}

void ApplyHandle(const platform::ImageRef& image, const TRes& res) {
  if (res.MidHandle)
    image->MidHandle();
  else
    image->SetHandle(static_cast<float>(res.HandleX), static_cast<float>(res.HandleY));
}

}  // namespace

platform::ImageRef LoadMaskedImage(const std::string& colorPath, const std::string& maskPath) {
  platform::PixmapRef combined = CombineMask(colorPath, maskPath, "LoadMaskedImage");
  if (!combined) return nullptr;
  auto image = platform::CreateImage(combined->Width(), combined->Height(), 1, platform::DEFAULT_IMAGE_FLAGS);
  image->SetFrame(0, combined);
  return image;
}

platform::ImageRef LoadMaskedImageAnim(const std::string& colorPath, const std::string& maskPath, int cellWidth,
                                       int cellHeight, int firstCell, int cellCount) {
  platform::PixmapRef combined = CombineMask(colorPath, maskPath, "LoadMaskedImageAnim");
  if (!combined) return nullptr;
  if (cellWidth <= 0 || cellHeight <= 0 || firstCell < 0 || cellCount <= 0) return nullptr;
  const int across = combined->Width() / cellWidth;
  const int64_t cells = static_cast<int64_t>(across) * (combined->Height() / cellHeight);
  if (static_cast<int64_t>(firstCell) + cellCount > cells) return nullptr;
  auto image = platform::CreateImage(cellWidth, cellHeight, cellCount, platform::DEFAULT_IMAGE_FLAGS);
  for (int i = 0; i < cellCount; ++i) {
    const int cell = firstCell + i;
    image->SetFrame(i, combined->Window((cell % across) * cellWidth, (cell / across) * cellHeight, cellWidth,
                                        cellHeight));
  }
  return image;
}

// ---------------------------------------------------------------------------
// Resource kinds

void TResImage::Load() {
  platform::ImageRef image;
  const std::string companion = CompanionName(FileName);
  if (!companion.empty() && OpenPakStream(companion)) {
    image = LoadMaskedImage(FileName, companion);
  } else if (!Extension(Mask).empty()) {
    image = LoadMaskedImage(FileName, Mask);
  } else if (platform::StreamRef s = OpenPakStream(FileName)) {
    image = platform::LoadImage(*s, platform::FILTEREDIMAGE | (Mipmapped ? platform::MIPMAPPEDIMAGE : 0));
  }
  if (!image) {
    Data = std::monostate{};
    ReportMissing(FileName);
    return;
  }
  ApplyHandle(image, *this);
  Data = image;
}

void TResAnimImage::Load() {
  platform::ImageRef image;
  if (FrameWidth <= 0 || FrameHeight <= 0 || FramesNum <= 0) {
    // No usable strip: treated as a missing picture rather than a strip of nothing.
    WriteLog(FileName + ": animation strip without frames (" + std::to_string(FrameWidth) + "x" +
                 std::to_string(FrameHeight) + ", " + std::to_string(FramesNum) + ")",
             LOG_ERROR);
  } else {
    const std::string companion = CompanionName(FileName);
    if (!companion.empty() && OpenPakStream(companion)) {
      image = LoadMaskedImageAnim(FileName, companion, FrameWidth, FrameHeight, 0, FramesNum);
    } else if (platform::StreamRef s = OpenPakStream(FileName)) {
      image = platform::LoadAnimImage(*s, FrameWidth, FrameHeight, 0, FramesNum, -1);
    }
  }
  if (!image) {
    Data = std::monostate{};
    ReportMissing(FileName);
    return;
  }
  ApplyHandle(image, *this);
  Data = image;
}

void TResImageFont::Load() {
  Ref<TBMFont> font = LoadBMFont(FileName);
  if (!font) {
    Data = std::monostate{};
    ReportMissing(FileName);
    return;
  }
  Data = font;
}

void TResEffect::Load() {
  Ref<TEffect> effect;
  if (platform::StreamRef s = OpenPakStream(FileName)) effect = TEffect::Load(*s, FileName);
  if (!effect) {
    Data = std::monostate{};
    ReportMissing(FileName);
    return;
  }
  Data = effect;
}

void TResSound::Load() {
  if (Loaded()) return;
  platform::SoundRef sound;
  if (platform::StreamRef s = OpenPakStream(FileName)) sound = platform::LoadSound(*s, Loop != 0, FileName);
  if (!sound) {
    ReportMissing(FileName);
    return;
  }
  Data = sound;
}

void TResMusic::Load() {
  if (!Loaded()) Data = FileName;
}

// ---------------------------------------------------------------------------
// TResManager

void TResManager::ResetLoadingPanel() {
  LoadingPos = 0.0f;
  LoadingMax = 0;
}

void TResManager::LoadingPanelAddScope(const std::string& scope) {
  auto it = byScope_.find(Lower(scope));
  if (it != byScope_.end()) LoadingMax += static_cast<int>(it->second.size());
}

void TResManager::ResAddData(const std::string& file, const std::string& id, const Ref<TRes>& res,
                             const std::string& scope) {
  res->FileName = Lower(file);
  res->Name = Lower(id);
  res->Scope = Lower(scope);
  auto& same = byName_[res->Name];
  for (const auto& other : same)
    if (other->Loaded()) return;
  Resources.AddLast(res);
  same.push_back(res);
  byScope_[res->Scope].push_back(res);
}

void TResManager::LoadScope(const std::string& scope) {
  const std::string lower = Lower(scope);
  const float step = LoadingMax > 0 ? 100.0f / static_cast<float>(LoadingMax) : 0.0f;
  auto it = byScope_.find(lower);
  if (it != byScope_.end()) {
    const std::vector<Ref<TRes>> list = it->second;  // a callback may register more
    for (const auto& res : list) {
      LoadingPos += step;
      if (DrawLoading) DrawLoading(LoadingPos);
      res->Load();
    }
  }
  WriteLog("load scope  \"" + lower + "\" finished. ", LOG_MESSAGE);
}

void TResManager::UnLoadScope(const std::string& scope) {
  const std::string lower = Lower(scope);
  auto it = byScope_.find(lower);
  if (it != byScope_.end())
    for (const auto& res : it->second) res->UnLoad();
  WriteLog("unload scope  \"" + lower + "\" finished. ", LOG_MESSAGE);
}

TResData TResManager::GetData(const std::string& id) {
  const std::string lower = Lower(id);
  std::vector<const TResData*> found;
  auto it = byName_.find(lower);
  if (it != byName_.end())
    for (const auto& res : it->second)
      if (res->Loaded()) found.push_back(&res->Data);
  if (found.empty()) {
    NotFound(lower);
    return {};
  }
  if (found.size() == 1) return *found[0];
  return *found[static_cast<size_t>(Rand(0, static_cast<int>(found.size()) - 1))];
}

Ref<TRes> TResManager::GetRes(const std::string& id) {
  const std::string lower = Lower(id);
  auto it = byName_.find(lower);
  if (it != byName_.end())
    for (const auto& res : it->second)
      if (res->Loaded()) return res;
  NotFound(lower);
  return nullptr;
}

void TResManager::ResLoadImage(const std::string& file, const std::string& id, const std::string& scope,
                               int midhandle, int handlex, int handley, const std::string& mask, int mipmapped) {
  auto res = New<TResImage>();
  ResAddData(file, id, res, scope);
  res->MidHandle = midhandle;
  res->HandleX = handlex;
  res->HandleY = handley;
  res->Mask = mask;
  res->Mipmapped = mipmapped;
}

void TResManager::ResLoadImageFont(const std::string& file, const std::string& id, const std::string& scope,
                                   int size) {
  auto res = New<TResImageFont>();
  ResAddData(file, id, res, scope);
  res->Size = size;
}

void TResManager::ResLoadEffect(const std::string& file, const std::string& id, const std::string& scope) {
  ResAddData(file, id, New<TResEffect>(), scope);
}

void TResManager::ResLoadAnimImage(const std::string& file, const std::string& id, int width, int height,
                                   int frames, int animspeed, int midhandle, const std::string& scope, int handlex,
                                   int handley, int mipmapped) {
  auto res = New<TResAnimImage>();
  ResAddData(file, id, res, scope);
  res->FrameWidth = width;
  res->FrameHeight = height;
  res->FramesNum = frames;
  res->AnimSpeed = animspeed;
  res->MidHandle = midhandle;
  res->HandleX = handlex;
  res->HandleY = handley;
  res->Mipmapped = mipmapped;
}

namespace {

// The data when it is of the asked kind, else an empty value.
template <class T>
T DataAs(const TResData& d) {
  if (const T* p = std::get_if<T>(&d)) return *p;
  return T{};
}

}  // namespace

platform::ImageRef TResManager::GetImage(const std::string& id) {
  return DataAs<platform::ImageRef>(GetData(id));
}

Ref<TBMFont> TResManager::GetBMFont(const std::string& id) {
  return DataAs<Ref<TBMFont>>(GetData(id));
}

void TResManager::ResLoadSound(const std::string& file, const std::string& id, int loop, const std::string& scope) {
  auto res = New<TResSound>();
  ResAddData(file, id, res, scope);
  res->Loop = loop;
}

platform::SoundRef TResManager::GetSound(const std::string& id) {
  return DataAs<platform::SoundRef>(GetData(id));
}

Ref<TEffect> TResManager::GetEffect(const std::string& id) {
  return DataAs<Ref<TEffect>>(GetData(id));
}

void TResManager::ResLoadMusic(const std::string& file, const std::string& id, const std::string& scope) {
  ResAddData(file, id, New<TResMusic>(), scope);
}

std::string TResManager::GetMusic(const std::string& id) {
  return DataAs<std::string>(GetData(id));
}

// ---------------------------------------------------------------------------
// The resource list

void ReadResourceGroup(sdXMLnode* group, const std::string& scope) {
  if (!group || !ResManager) return;
  TResManager& rm = *ResManager;
  std::string dpath, prefix;
  for (sdXMLnode* c = group->firstchild; c; c = c->NextNode) {
    const std::string tag = Lower(c->Tag);
    if (tag == "setdefaults") {
      if (FindAttr(c, "path")) {
        const std::string v = GetAttr(c, "path");
        if (v != "#NONE#") dpath = v;
      }
      if (FindAttr(c, "idprefix")) {
        const std::string v = GetAttr(c, "idprefix");
        if (v != "#NONE#") prefix = v;
      }
    } else if (tag == "image") {
      rm.ResLoadImage(dpath + GetAttr(c, "path"), prefix + GetAttr(c, "id"), scope, GetAttrInt(c, "midhandle"),
                      GetAttrInt(c, "handlex"), GetAttrInt(c, "handley"), dpath + GetAttr(c, "mask", "0"),
                      GetAttrInt(c, "mipmapped"));
    } else if (tag == "sound") {
      rm.ResLoadSound(dpath + GetAttr(c, "path"), prefix + GetAttr(c, "id"), GetAttrInt(c, "loop"), scope);
    } else if (tag == "music") {
      rm.ResLoadMusic(dpath + GetAttr(c, "path"), prefix + GetAttr(c, "id"), scope);
    } else if (tag == "bmfont") {
      rm.ResLoadImageFont(dpath + GetAttr(c, "path"), prefix + GetAttr(c, "id"), scope,
                          ToInt(GetAttr(c, "size", "12")));
    } else if (tag == "effect") {
      rm.ResLoadEffect(dpath + GetAttr(c, "path"), prefix + GetAttr(c, "id"), scope);
    } else if (tag == "animimage") {
      rm.ResLoadAnimImage(dpath + GetAttr(c, "path"), prefix + GetAttr(c, "id"), GetAttrInt(c, "width"),
                          GetAttrInt(c, "height"), GetAttrInt(c, "frames"), GetAttrInt(c, "animspeed", -1),
                          GetAttrInt(c, "midhandle"), scope, GetAttrInt(c, "handlex"), GetAttrInt(c, "handley"),
                          GetAttrInt(c, "mipmapped"));
    }
  }
}

bool ReadResourceList(const std::string& path) {
  platform::StreamRef s = platform::OpenFileRead(path);
  if (!s) {
    WriteLog("resource list not found: " + path, LOG_ERROR);
    return false;
  }
  return ReadResourceList(*s, path);
}

bool ReadResourceList(platform::Stream& stream, const std::string& name) {
  Ref<sdXMLnode> root = ParseXMLStream(stream);
  if (!root) {
    WriteLog("resource list holds no element: " + name, LOG_ERROR);
    return false;
  }
  // The reader gives what it read of a cut-off list; register that, but say so.
  if (root->endtag.empty()) WriteLog("resource list cut short: " + name, LOG_ERROR);
  for (sdXMLnode* g = root->firstchild; g; g = g->NextNode)
    if (Lower(g->Tag) == "resources") ReadResourceGroup(g, GetAttr(g, "id"));
  return true;
}

}  // namespace kelp
