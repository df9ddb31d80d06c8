#pragma once
// The brick wall some levels have: a grid of bricks drawn over the play
// field that exploding boxes chip away. Bricks burst when their hit points
// run out; the bricks above a gap drop down their column one cell a frame,
// then fall smoothly onto their cell and bounce. It is not part of the
// physics world: boxes do not collide with bricks.
//
// The level's "_bricks.xml" holds one tag a line: "<bricks>", then
// "<node x= y= hp= empty=/>" lines that set the hit points and holes of
// cells of the always 8 x 8 wall.
#include <string>
#include <vector>

#include "framework/core/object.h"
#include "platform/image.h"
#include "platform/stream.h"

namespace kelp {

class TAnimImage;
class TImpulse;

class TBrick : public Object {
 public:
  int empty = 0;               // 1 for a hole: never drawn, never falls, never bursts
  platform::ImageRef Image;    // drawn only without Anim
  Ref<TAnimImage> Anim;        // three damage frames
  int wall_x = 0, wall_y = 0;  // column and row
  float angle = 0.0f;          // tilt, for the editor's drawing
  float x = 0.0f, y = 0.0f;    // top left corner as drawn
  float dy = 0.0f;             // fall speed
  float imp = 0.0f;            // bounce offset added when drawing
  int impulse_flag = 0;        // 1 once landed: follows its column's bounce
  int max_hp = 0, hp = 0;

  // Clears, then fills a c x r wall with full bricks of 40 hit points.
  static void CreateWall(int columns, int rows);
  static Ref<TBrick> CreateBrick(int column, int row, int hp, int empty);
  static void DrawBricks();
  static void DrawBricks_debug();
  // Writes the wall (".xml" appended when the path has no "."); 1 when written.
  static int Save(const std::string& path);
  // Reads the level's "_bricks.xml": an 8 x 8 wall with the file's holes and
  // hit points. A stream that is null or does not begin with "bricks" leaves
  // the wall as it was. 1 when a wall was built.
  static int Load(const platform::StreamRef& stream);
  // The same content as an XML document.
  static int LoadNew(const platform::StreamRef& stream);
  static void UpdateBricks(float frameFactor);
  // The brick whose cell holds the point, for the editor; null for none.
  static Ref<TBrick> SelectBrick(float x, float y);
  // Damages every brick within 5 units of the point; bricks at 0 burst.
  static void Hit(float x, float y, int damage);
  static void Clear();

  virtual void Update(float frameFactor);
  virtual void Draw();

  // The editor: button 1 selects, the Delete key (46) turns the selected
  // brick into a hole and back.
  static void RemoveSelected();
  static void Input_MOUSEDOWN(int button, int x, int y);
  static void Input_KEYDOWN(int key);
};

// The wall, [column][row]; a cell is null once its brick burst or fell away.
extern std::vector<std::vector<Ref<TBrick>>> BrickGrid;
extern int BrickColumns, BrickRows;
// The landing bounce of each column, or null.
extern std::vector<Ref<TImpulse>> ColumnImpulses;
extern int BrickWidth, BrickHeight;   // 48 x 48
extern int WallOriginX, WallOriginY;  // top left of cell (0, 0): 185, 210
extern float BrickFallMax;            // 10
extern float BrickFallAccel;          // 1.06 per update
extern int BrickCount;                // standing bricks, counted every update
// WallStanding (1 while a standing brick is left) is declared with the boxes
// (world/block.h), whose colour draw reads it.

}  // namespace kelp
