#include "world/brick.h"

#include <map>
#include <utility>

#include "framework/core/debug_output.h"
#include "framework/core/file_numbers.h"
#include "framework/core/numbers.h"
#include "framework/core/numeric.h"
#include "framework/core/random.h"
#include "framework/files/line_reader.h"
#include "framework/files/xml.h"
#include "framework/media/anim_image.h"
#include "framework/media/graphics_state.h"
#include "framework/media/impulse.h"
#include "framework/media/particles.h"
#include "framework/media/sound.h"
#include "platform/draw.h"
#include "platform/files.h"
#include "platform/graphics_state.h"
#include "world/effects/dust.h"
#include "world/game_interface.h"
#include "world/village_state.h"
#include "world/block.h"
#include "world/resource_bindings.h"

namespace kelp {

std::vector<std::vector<Ref<TBrick>>> BrickGrid;
int BrickColumns = 0, BrickRows = 0;
std::vector<Ref<TImpulse>> ColumnImpulses;
int BrickWidth = 48, BrickHeight = 48;
int WallOriginX = 185, WallOriginY = 210;
float BrickFallMax = 10.0f;
float BrickFallAccel = 1.06f;
int BrickCount = 0;

namespace {

constexpr int kDeleteKey = 46;

Ref<TBrick> Selected;  // the editor's brick

// The bricks never animate (their frame follows their hit points), so the
// bricks of a wall share one player of each picture.
std::map<std::string, Ref<TAnimImage>> Pictures;

Ref<TAnimImage> Picture(const std::string& id) {
  Ref<TAnimImage>& p = Pictures[id];
  if (!p) p = TAnimImage::Load2(id, -1);
  return p;
}

bool HasWall() { return !BrickGrid.empty() && BrickColumns > 0 && BrickRows > 0; }

bool InGrid(int column, int row) { return column >= 0 && column < BrickColumns && row >= 0 && row < BrickRows; }

Ref<TBrick>& Cell(int column, int row) { return BrickGrid[static_cast<size_t>(column)][static_cast<size_t>(row)]; }

bool AnyStanding() {
  for (const auto& column : BrickGrid)
    for (const auto& b : column)
      if (b && !b->empty) return true;
  return false;
}

// A node of the file: a cell outside the wall is refused.
constexpr int kMostHp = 100000;  // the authored walls hold 40 to 60

void ApplyNode(int column, int row, int hp, int empty) {
  if (!InGrid(column, row)) {
    DebugOutput("[TBrick ERROR : Load] Node " + std::to_string(column) + "," + std::to_string(row) +
                " lies outside the wall");
    return;
  }
  const Ref<TBrick>& b = Cell(column, row);
  if (!b) return;
  // Hit points count down by the damage of each hit; twice the most still fits an int.
  CheckInt(hp, 1, kMostHp, "TBrick : Load", "hp of node " + std::to_string(column) + "," + std::to_string(row));
  empty = empty != 0 ? 1 : 0;
  // A hole made here was counted as a standing brick when it was created.
  if (empty && !b->empty) BrickCount -= 1;
  if (!empty && b->empty) BrickCount += 1;
  b->empty = empty;
  b->hp = b->max_hp = hp;
}

void StartWall() {
  WallOriginX = 185;
  WallOriginY = 210;
  TBrick::CreateWall(8, 8);
}

void Burst(const TBrick& b) {
  PlaySoundEffect("SOUND_BRICK_EXPLOSION", 0, 0);
  const float cx = b.x + static_cast<float>(BrickWidth) / 2;
  const float cy = b.y + static_cast<float>(BrickHeight) / 2;
  const Ref<TEffect>& effect = CurrentVillage == 2 ? EffectBrick2 : EffectBrick;
  if (GameInterface) GameInterface->AddEmitter(TEmitter::Create(cx, cy, effect, 1));
  for (int i = 0; i < 11; ++i)
    SpawnDust(Int(cx + static_cast<float>(Rand(-10, 10))), Int(cy + static_cast<float>(Rand(-10, 10))), 1);
}

}  // namespace

void TBrick::CreateWall(int columns, int rows) {
  Clear();
  if (columns <= 0 || rows <= 0) return;
  BrickColumns = columns;
  BrickRows = rows;
  BrickGrid.assign(static_cast<size_t>(columns), std::vector<Ref<TBrick>>(static_cast<size_t>(rows)));
  ColumnImpulses.assign(static_cast<size_t>(columns), nullptr);
  BrickCount = 0;
  for (int i = 0; i < columns; ++i)
    for (int j = 0; j < rows; ++j) Cell(i, j) = CreateBrick(i, j, 40, 0);
  WallStanding = 1;
}

Ref<TBrick> TBrick::CreateBrick(int column, int row, int hp, int e) {
  auto b = New<TBrick>();
  // Any island but the snow one builds with the desert's bricks.
  if (CurrentVillage == 2)
    b->Anim = Picture("IMAGE_BRICK_ICE");
  else
    b->Anim = Picture(Rand(0, 1) == 0 ? "IMAGE_BRICK_01" : "IMAGE_BRICK_02");
  b->angle = Rnd(-2, 2);
  b->max_hp = b->hp = hp;
  b->empty = e;
  b->wall_x = column;
  b->wall_y = row;
  b->x = static_cast<float>(column * BrickWidth + WallOriginX);
  b->y = static_cast<float>(row * BrickHeight + WallOriginY);
  if (e == 0) BrickCount += 1;
  return b;
}

void TBrick::Clear() {
  BrickGrid.clear();
  ColumnImpulses.clear();
  BrickColumns = BrickRows = 0;
  BrickCount = 0;
  WallStanding = 0;
  Selected = nullptr;
  Pictures.clear();
}

// ------------------------------------------------------------------ files

int TBrick::Load(const platform::StreamRef& stream) {
  if (!stream) {
    DebugOutput("[TBrick ERROR : Load] Failed to load the specified path!");
    return 0;
  }
  if (GetLineTag(ReadTagLine(*stream)) != "bricks") {
    DebugOutput("[TBrick ERROR : Load] The file does not begin with a bricks tag!");
    return 0;
  }
  StartWall();
  for (std::string line = ReadTagLine(*stream); GetLineTag(line) == "node"; line = ReadTagLine(*stream))
    ApplyNode(ToInt(GetLineAttr(line, "x")), ToInt(GetLineAttr(line, "y")), ToInt(GetLineAttr(line, "hp")),
              ToInt(GetLineAttr(line, "empty")));
  WallStanding = AnyStanding() ? 1 : 0;
  return 1;
}

int TBrick::LoadNew(const platform::StreamRef& stream) {
  if (!stream) {
    DebugOutput("[TBrick ERROR : LoadNew] Failed to load the specified path!");
    return 0;
  }
  Ref<sdXMLnode> root = ParseXMLFile(stream);
  if (!root || root->Tag != "bricks") {
    DebugOutput("[TBrick ERROR : LoadNew] The file does not begin with a bricks tag!");
    return 0;
  }
  StartWall();
  for (sdXMLnode* n = root->firstchild; n; n = n->NextNode)
    if (Lower(n->Tag) == "node")
      ApplyNode(GetAttrInt(n, "x"), GetAttrInt(n, "y"), GetAttrInt(n, "hp"), GetAttrInt(n, "empty"));
  WallStanding = AnyStanding() ? 1 : 0;
  return 1;
}

int TBrick::Save(const std::string& path) {
  if (!HasWall()) return 0;
  std::string file = path;
  if (file.find('.') == std::string::npos) file += ".xml";
  auto attr = [](const char* name, int v) { return std::string(" ") + name + "=\"" + std::to_string(v) + "\""; };
  std::string out = "<bricks>\r\n";
  for (int i = BrickColumns - 1; i >= 0; --i)
    for (int j = BrickRows - 1; j >= 0; --j) {
      const Ref<TBrick>& b = Cell(i, j);
      if (!b) continue;
      out += "   <node" + attr("x", b->wall_x) + attr("y", b->wall_y) + attr("hp", b->hp) + attr("empty", b->empty) +
             "/>\r\n";
    }
  out += "</bricks>\r\n";
  if (!platform::SaveFileAtomic(file, out)) {
    DebugOutput("[TBrick ERROR : Save] Failed to create/overwrite the specified path!");
    return 0;
  }
  return 1;
}

// ----------------------------------------------------------------- update

void TBrick::UpdateBricks(float dt) {
  if (!HasWall()) return;
  BrickCount = 0;
  // The bricks as they stand when the pass begins: one that drops into the
  // cell below is not met again there, so it drops one cell a frame.
  std::vector<Ref<TBrick>> bricks;
  bricks.reserve(static_cast<size_t>(BrickColumns * BrickRows));
  for (int i = 0; i < BrickColumns; ++i)
    for (int j = 0; j < BrickRows; ++j)
      if (const Ref<TBrick>& b = Cell(i, j)) bricks.push_back(b);
  for (const auto& b : bricks) b->Update(dt);
}

void TBrick::Update(float dt) {
  if (empty || !InGrid(wall_x, wall_y) || Cell(wall_x, wall_y).get() != this) return;
  BrickCount += 1;

  if (wall_y + 1 < BrickRows && !Cell(wall_x, wall_y + 1)) {
    Cell(wall_x, wall_y + 1) = std::move(Cell(wall_x, wall_y));
    Cell(wall_x, wall_y) = nullptr;
    dy = 1.35f;
    wall_y += 1;
    return;
  }

  Ref<TImpulse>& bounce = ColumnImpulses[static_cast<size_t>(wall_x)];
  const float target = static_cast<float>(wall_y * BrickHeight + WallOriginY);
  if (y < target) {
    dy = std::min(dy * BrickFallAccel, BrickFallMax);
    y += dt * dy;
    if (y >= target) {
      if (!bounce) {
        bounce = TImpulse::CreateImpulse(dy, 1.0f, 0.12f, 1);
        for (int i = 0; i < 11; ++i) {
          SpawnDust(Int(x + static_cast<float>(Rand(5, BrickWidth - 5))), Int(y + static_cast<float>(BrickHeight)), 1);
          PlaySoundEffect("SOUND_BRICK_FALL", 0, 0);
        }
      }
      y = target;
      impulse_flag = 1;
    }
  }

  if (bounce) {
    imp = bounce->impulse_strength;
    if (bounce->Death) bounce = nullptr;
  } else {
    imp = 0;
    impulse_flag = 0;
  }
  if (!impulse_flag) imp = 0;
}

void TBrick::Hit(float px, float py, int damage) {
  if (!HasWall()) return;
  const float w = static_cast<float>(BrickWidth), h = static_cast<float>(BrickHeight);
  for (int i = 0; i < BrickColumns; ++i)
    for (int j = 0; j < BrickRows; ++j) {
      TBrick* b = Cell(i, j).get();  // no count taken for the cells a hit misses
      if (!b) continue;
      if (px < b->x - 5 || px > b->x + w + 5 || py < b->y - 5 || py > b->y + h + 5) continue;
      b->hp -= damage;
      if (b->hp >= 1 || b->empty) continue;
      const Ref<TBrick> gone = std::exchange(Cell(i, j), nullptr);
      Burst(*gone);
      if (Selected == gone) Selected = nullptr;
    }
  if (!AnyStanding()) WallStanding = 0;
}

// ---------------------------------------------------------------- drawing

void TBrick::Draw() {
  using namespace platform;
  if (!Anim) {
    DrawImage(Image, x, y + imp, 0);
    return;
  }
  int frame = 0;
  if (hp <= max_hp / 3)
    frame = 2;
  else if (hp < max_hp * 2 / 3)
    frame = 1;
  DrawImage(Anim->Image, x, y + imp, frame);
}

void TBrick::DrawBricks() {
  if (!HasWall()) return;
  for (int i = BrickColumns - 1; i >= 0; --i)
    for (int j = BrickRows - 1; j >= 0; --j)
      if (const Ref<TBrick>& b = Cell(i, j); b && !b->empty) b->Draw();
}

void TBrick::DrawBricks_debug() {
  if (!HasWall()) return;
  using namespace platform;
  PushGraphicsState();
  SetBlend(ALPHABLEND);
  for (int i = BrickColumns - 1; i >= 0; --i)
    for (int j = BrickRows - 1; j >= 0; --j) {
      const Ref<TBrick>& b = Cell(i, j);
      if (!b) continue;
      SetRotation(b->angle);
      SetAlpha(b->empty ? 0.3f : 1.0f);
      if (b == Selected)
        SetColor(255, 120, 120);
      else
        SetColor(255, 255, 255);
      b->Draw();
    }
  PopGraphicsState();
}

// ----------------------------------------------------------------- editor

Ref<TBrick> TBrick::SelectBrick(float px, float py) {
  if (!HasWall()) return nullptr;
  const float w = static_cast<float>(BrickWidth), h = static_cast<float>(BrickHeight);
  for (int i = 0; i < BrickColumns; ++i)
    for (int j = 0; j < BrickRows; ++j) {
      const Ref<TBrick>& b = Cell(i, j);
      if (b && px >= b->x && px < b->x + w && py >= b->y && py < b->y + h) return b;
    }
  return nullptr;
}

void TBrick::RemoveSelected() {
  if (!Selected) return;
  Selected->empty = Selected->empty ? 0 : 1;
}

void TBrick::Input_MOUSEDOWN(int button, int px, int py) {
  if (button == 1) Selected = SelectBrick(static_cast<float>(px), static_cast<float>(py));
}

void TBrick::Input_KEYDOWN(int key) {
  if (key == kDeleteKey) RemoveSelected();
}

}  // namespace kelp
