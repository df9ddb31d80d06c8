// The block file: the start boxes of a level ("_blocks.xml" of a level pack).
#include <cmath>
#include <functional>
#include <string>

#include "framework/core/debug_output.h"
#include "framework/core/file_numbers.h"
#include "framework/core/numbers.h"
#include "framework/files/line_reader.h"
#include "framework/files/xml.h"
#include "platform/files.h"
#include "world/game_state.h"
#include "world/block.h"
#include "world/trolley.h"

namespace kelp {

namespace {

using AttrGetter = std::function<std::string(const char*)>;

// Positions beyond this are no level's; the box would only fly off.
// Boxes a level starts with: a few dozen; each is five particles the step
// tests against each other, so a file of millions would stall the game.
constexpr int kMostBlocks = 100;
constexpr int kMostMoney = 1000000;
constexpr float kDefaultScale = 0.55f;
constexpr float kLargestScale = 4.0f;

void Complain(const std::string& what) { DebugOutput("[TBlock ERROR : LoadBlocks] " + what); }

// The time-freeze boxes some levels of the clear-the-field type swap for
// other boxes.
void SubstituteTimeFreeze(TBlock& b) {
  if (b.bonus_class != TBlock::TIME_FREEZE || !GameState || GameState->GameType != 1) return;
  switch (GameState->Level) {
    case 50: b.class_ = TBlock::RED, b.bonus_class = 0, b.armor = 1; break;
    case 51: b.class_ = TBlock::GREEN, b.bonus_class = 0, b.armor = 1; break;
    case 56: b.bonus_class = TBlock::CHEST_01, b.Money = 100, b.armor = 1; break;
    case 61: b.class_ = TBlock::BLUE, b.bonus_class = 0, b.armor = 2; break;
    default: return;
  }
  b.max_armor = b.armor;
  if (b.Group) b.Group->class_ = b.class_;
}

// The class a file's class value gives (SetClass without the box).
int DecodedClass(int value) {
  if (value == TBlock::BOSS) return value;
  while (value >= 10) value /= 10;
  return value;
}

int BossArmor(int boss_class) {
  switch (boss_class) {
    case TBlock::PARAZ: return 16;
    case TBlock::YETI: return 20;
    case TBlock::EVIL_YETI: return 20;
    case TBlock::ELITE: return 32;
    case TBlock::BROWNIE_FULL: return 17;
    case TBlock::BROWNIE: return 52;
    case TBlock::SMALL_ELITE: return 6;
    default: return 0;
  }
}

bool TooManyBlocks(int read) {
  if (read < kMostBlocks) return false;
  Complain("More than " + std::to_string(kMostBlocks) + " blocks; the rest of the file is left out!");
  return true;
}

// A "block" element: the box, or null when its values make no box (with a
// debug line saying why).
Ref<TBlock> ReadBlock(const AttrGetter& get) {
  const int fileClass = ToInt(get("class"));
  if (fileClass <= 0) {
    Complain("A block without a valid class skipped!");
    return nullptr;
  }
  // Checked before the box is made, so nothing enters the world for a bad line.
  const int decoded = DecodedClass(fileClass);
  const int bossClass = decoded == TBlock::BOSS ? ToInt(get("boss_class")) : 0;
  const int bonusClass = decoded == TBlock::BONUS ? ToInt(get("bonus_class")) : 0;
  if (bossClass < 0 || bossClass > TBlock::SMALL_ELITE) {
    Complain("A boss block of unknown kind " + std::to_string(bossClass) + " skipped!");
    return nullptr;
  }
  if (decoded == TBlock::BONUS && (bonusClass < TBlock::EXPLOSION || bonusClass > TBlock::RAY)) {
    Complain("A bonus block of unknown kind " + std::to_string(bonusClass) + " skipped!");
    return nullptr;
  }
  float scale = ToFloat(get("scale"));
  if (!(scale > 0.0f && scale <= kLargestScale)) {
    Complain("A block without a usable scale gets " + FloatToString(kDefaultScale) + "!");
    scale = kDefaultScale;
  }

  auto b = TBlock::Create(0, 0, 0, 0);
  b->class_ = fileClass;
  b->SetClass();
  if (b->class_ == TBlock::BOSS) {
    b->boss_class = bossClass;
    b->armor = b->max_armor = BossArmor(bossClass);
    if (bossClass == TBlock::BROWNIE) BrownieBlock = b;
  }
  b->Money = ToInt(get("money"));
  CheckInt(b->Money, 0, kMostMoney, "TBlock : LoadBlocks", "money of a block");
  if (b->class_ == TBlock::BONUS) {
    b->bonus_class = bonusClass;
    SubstituteTimeFreeze(*b);
  }
  b->scale = scale;
  if (const int trolley = ToInt(get("trolley")); trolley != 0) TTrolley::AddTrolleyBlock(trolley, b);
  if (b->Group) b->Group->Scale(scale);
  b->Released = 1;
  if (b->Group) {
    b->Group->Released = 1;
    b->Group->class_ = b->class_;
    b->Group->boss_class = b->boss_class;
  }
  return b;
}

// One of the five corner and centre elements of the current box.
void ReadCorner(TBlock& b, const std::string& tag, const AttrGetter& get) {
  Ref<TPhysEngine_Particle> p;
  if (tag == "upright") p = b.UpRight;
  else if (tag == "upleft") p = b.UpLeft;
  else if (tag == "downright") p = b.DownRight;
  else if (tag == "downleft") p = b.DownLeft;
  else if (tag == "center") p = b.Center;
  if (!p) return;
  const float x = ToFloat(get("x")), y = ToFloat(get("y"));
  if (!(x >= kFieldLeft && x <= kFieldRight && y >= kFieldTop && y <= kFieldBottom)) {
    Complain("A " + tag + " position out of range skipped!");
    return;
  }
  p->static_ = ToInt(get("static")) != 0 ? 1 : 0;
  p->Position(x, y);
}

bool IsCorner(const std::string& tag) {
  return tag == "upright" || tag == "upleft" || tag == "downright" || tag == "downleft" || tag == "center";
}

void MarkWaterDrops(const Ref<TBlock>& b) {
  if (!b || !b->Group) return;
  for (auto p = b->Group->frstp.get(); p; p = p->nxt.get()) p->WaterDrop = 1;
}

std::string Num(float v) { return FloatToG9(v); }

std::string Attr(const char* name, const std::string& value) {
  return std::string(" ") + name + "=\"" + value + "\"";
}

}  // namespace

int TBlock::LoadBlocks(const PhysicsSource& source) {
  platform::StreamRef stream = OpenPhysicsSource(source);
  if (!stream) {
    DebugOutput("[LoadBlocks ERROR] Failed to load the specified path!");
    return 0;
  }
  std::string line = ReadTagLine(*stream);
  if (GetLineTag(line) != "blocks") {
    DebugOutput("[TBlock ERROR : LoadBlocks] The file does not begin with a blocks tag!");
    return 0;
  }
  Ref<TBlock> current;
  int blocks = 0;
  for (line = ReadTagLine(*stream); !line.empty(); line = ReadTagLine(*stream)) {
    const std::string tag = GetLineTag(line);
    const AttrGetter get = [&line](const char* name) { return GetLineAttr(line, name); };
    if (tag == "block" && TooManyBlocks(blocks++)) break;
    if (tag == "block") current = ReadBlock(get);
    else if (IsCorner(tag)) {
      if (current) ReadCorner(*current, tag, get);
    } else {
      break;
    }
    MarkWaterDrops(current);
  }
  return 1;
}

int TBlock::LoadBlocksNew(const PhysicsSource& source) {
  platform::StreamRef stream = OpenPhysicsSource(source);
  if (!stream) {
    DebugOutput("[LoadBlocks ERROR] Failed to load the specified path!");
    return 0;
  }
  Ref<sdXMLnode> root = ParseXMLStream(*stream);
  if (!root || root->Tag != "blocks") {
    DebugOutput("[TBlock ERROR : LoadBlocks] The file does not begin with a blocks tag!");
    return 0;
  }
  int blocks = 0;
  for (sdXMLnode* n = root->firstchild; n; n = n->NextNode) {
    if (Lower(n->Tag) != "block") continue;
    if (TooManyBlocks(blocks++)) break;
    const Ref<TBlock> b = ReadBlock([n](const char* name) { return GetAttrText(n, name); });
    if (!b) continue;
    for (sdXMLnode* c = n->firstchild; c; c = c->NextNode) {
      const std::string tag = Lower(c->Tag);
      if (IsCorner(tag)) ReadCorner(*b, tag, [c](const char* name) { return GetAttrText(c, name); });
    }
    MarkWaterDrops(b);
  }
  return 1;
}

int TBlock::SaveBlocks(const std::string& path) {
  std::string file = path;
  if (file.find('.') == std::string::npos) file += ".xml";
  std::string out = "<blocks>\r\n";
  for (const auto& b : BlockList) {
    if (!b->Released || b->Deleted()) continue;
    int value = b->class_;
    if (b->class_ != BOSS)
      for (int i = 0; i < b->armor && value <= 214748364; ++i) value *= 10;
    out += "  <block" + Attr("class", std::to_string(value)) + Attr("bonus_class", std::to_string(b->bonus_class)) +
           Attr("boss_class", std::to_string(b->boss_class)) + Attr("money", std::to_string(b->Money)) +
           Attr("scale", Num(b->scale)) + Attr("trolley", std::to_string(TTrolley::TrolleyBlock(b.get()))) +
           ">\r\n";
    const std::pair<const char*, const Ref<TPhysEngine_Particle>*> parts[] = {{"UpRight", &b->UpRight},
                                                                              {"UpLeft", &b->UpLeft},
                                                                              {"DownRight", &b->DownRight},
                                                                              {"DownLeft", &b->DownLeft},
                                                                              {"Center", &b->Center}};
    for (const auto& [name, part] : parts) {
      const TPhysEngine_Particle* p = part->get();
      out += std::string("      <") + name + Attr("x", Num(p ? p->x : 0.0f)) + Attr("y", Num(p ? p->y : 0.0f)) +
             Attr("static", std::to_string(p ? p->static_ : 0)) + "/>\r\n";
    }
    out += "  </block>\r\n";
  }
  out += "</blocks>\r\n";
  return platform::SaveFileAtomic(file, out) ? 1 : 0;
}

}  // namespace kelp
