#pragma once
// The resource manager: every image, animation strip, bitmap font, particle
// effect, sound and music track is known by an id and belongs to a scope.
// The resource list ("res.xml") registers them without loading; whole scopes
// load and unload on request; lookups hand out the loaded object for an id,
// picking at random among loaded entries that share one.
#include <functional>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "platform/image.h"
#include "platform/sound_load.h"

namespace kelp {

class TBMFont;
class TEffect;
struct sdXMLnode;

// A loaded resource: an image (also of an animation strip), a font, an
// effect, a sound, or for music the file path. Empty while unloaded.
using TResData = std::variant<std::monostate, platform::ImageRef, Ref<TBMFont>, Ref<TEffect>, platform::SoundRef,
                              std::string>;

class TRes : public Object {
 public:
  TResData Data;
  std::string FileName;  // lower-cased
  std::string Name;      // the id, lower-cased
  std::string Mask;      // an explicit mask picture (images only)
  std::string Scope;     // lower-cased
  int MidHandle = 0;
  int HandleX = 0, HandleY = 0;
  int Mipmapped = 0;
  int Size = 0;  // font size; kept, not used

  bool Loaded() const { return Data.index() != 0; }
  virtual void Load() {}
  virtual void UnLoad() { Data = std::monostate{}; }
};

class TResImage : public TRes {
 public:
  void Load() override;
};

class TResImageFont : public TRes {
 public:
  void Load() override;
};

class TResEffect : public TRes {
 public:
  void Load() override;
};

class TResAnimImage : public TRes {
 public:
  int FrameWidth = 0, FrameHeight = 0, FramesNum = 0;
  int AnimSpeed = -1;
  platform::ImageRef MirrorImage;  // made on first need by the animated images
  void Load() override;
};

class TResSound : public TRes {
 public:
  int Loop = 0;
  void Load() override;  // only while not loaded
};

class TResMusic : public TRes {
 public:
  void Load() override;  // the path only; music streams later
};

class TResManager : public Object {
 public:
  ObjectList<TRes> Resources;  // registration order
  float LoadingPos = 0.0f;     // percent
  int LoadingMax = 0;
  std::function<void(float)> DrawLoading;  // empty: no callback

  void ResetLoadingPanel();
  void LoadingPanelAddScope(const std::string& scope);
  void ResAddData(const std::string& file, const std::string& id, const Ref<TRes>& res, const std::string& scope);
  void LoadScope(const std::string& scope);
  void UnLoadScope(const std::string& scope);
  // The loaded object for an id (one of them at random when several are
  // loaded); empty after printing "Not found <id>".
  TResData GetData(const std::string& id);
  // The first loaded record of the id; null after printing "Not found <id>".
  Ref<TRes> GetRes(const std::string& id);
  void ResLoadImage(const std::string& file, const std::string& id, const std::string& scope, int midhandle,
                    int handlex, int handley, const std::string& mask, int mipmapped);
  void ResLoadImageFont(const std::string& file, const std::string& id, const std::string& scope, int size);
  void ResLoadEffect(const std::string& file, const std::string& id, const std::string& scope);
  void ResLoadAnimImage(const std::string& file, const std::string& id, int width, int height, int frames,
                        int animspeed, int midhandle, const std::string& scope, int handlex, int handley,
                        int mipmapped);
  // Null when the id is missing or names another kind.
  platform::ImageRef GetImage(const std::string& id);
  Ref<TBMFont> GetBMFont(const std::string& id);
  void ResLoadSound(const std::string& file, const std::string& id, int loop, const std::string& scope);
  platform::SoundRef GetSound(const std::string& id);
  Ref<TEffect> GetEffect(const std::string& id);
  void ResLoadMusic(const std::string& file, const std::string& id, const std::string& scope);
  // The music file's path, or "".
  std::string GetMusic(const std::string& id);

 private:
  // Index of Resources by lower-cased id and scope, in registration order.
  std::unordered_map<std::string, std::vector<Ref<TRes>>> byName_;
  std::unordered_map<std::string, std::vector<Ref<TRes>>> byScope_;
};

// The one resource manager of the game.
extern Ref<TResManager> ResManager;

// Registers every entry of the resource list file (opened from disk); a list
// that cannot be read registers nothing and logs an error. False then.
bool ReadResourceList(const std::string& path);
bool ReadResourceList(platform::Stream& stream, const std::string& name);
void ReadResourceGroup(sdXMLnode* group, const std::string& scope);

// Images whose alpha comes from a second picture: the colour's red, green
// and blue with alpha = (colour alpha XOR 255) XOR the mask's blue. Where the
// mask is smaller than the colour picture the alpha counts as from mask 0.
platform::ImageRef LoadMaskedImage(const std::string& colorPath, const std::string& maskPath);
platform::ImageRef LoadMaskedImageAnim(const std::string& colorPath, const std::string& maskPath, int cellWidth,
                                       int cellHeight, int firstCell, int cellCount);

}  // namespace kelp
