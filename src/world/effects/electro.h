#pragma once
// Electric arcs: jittering polylines between two points (the claw's arcs,
// the ray, the village portal, the links between boxes of one chain). Every
// arc sits in ElectroList, which the effects list updates and clears; a
// hidden arc is left to its owner.
#include "framework/core/object.h"
#include "framework/core/object_list.h"
#include "framework/media/visuals.h"

namespace kelp {

class TBlock;

class TElectroVector : public Object {
 public:
  int static_ = 0;  // 1: the vertex does not jitter
  int x = 0, y = 0;    // rest position
  int _x = 0, _y = 0;  // jitter offset
  static Ref<TElectroVector> Create(int x, int y, int isStatic);
};

class TElectro : public Object {
 public:
  ObjectList<TElectroVector> Vertices;
  float radius = 7.0f;  // jitter range
  int hided = 0;        // 1: neither updated nor drawn by the list passes
  float width = 1.0f;   // line width factor
  int ray = 0;          // 1: Draw uses the ray style

  // An arc of count segments along the line (count + 2 vertices, both ends
  // still), appended to ElectroList. A count below 1 counts as 1.
  static Ref<TElectro> Create(float x1, float y1, float x2, float y2, int count);
  // Lays the vertices out again along the new line.
  void Position(float x1, float y1, float x2, float y2);
  void Move(float dx, float dy);
  void hide() { hided = 1; }
  void unhide() { hided = 0; }
  void Remove() {}

  void Update();
  void PortalUpdate();  // sparks placed in the scrolled village
  // Saves and restores the drawing state; the ray style when `ray` is set.
  void Draw();
  void Draw2();
  void EvilDraw();
  void PortalDraw();

  static void UpdateElectro();
  static void DrawElectro();
  static void Clear();

 private:
  struct LineStyle {
    int r, g, b;
    float alpha, width;
  };
  void Jitter(float sparkShiftX);
  // The three lines of every segment, widths as given.
  void DrawLines(const LineStyle (&lines)[3]);
};

extern ObjectList<TElectro> ElectroList;

// The arc between two linked boxes of one chain; it owns its arc (hidden
// from the list passes) and draws it itself.
class TBlockElectro : public TVisuals {
 public:
  Ref<TBlock> Block1, Block2;
  Ref<TElectro> Electro;
  int evil = 0;  // red style

  static Ref<TBlockElectro> Create(const Ref<TBlock>& block1, const Ref<TBlock>& block2, int evil);
  // Takes every link of the box out of VisualsList.
  static void Destroy(const TBlock* block);
  static void Destroy(const Ref<TBlock>& block) { Destroy(block.get()); }
  void Remove();

  void Update(float dt) override;
  void Draw() override;

 private:
  void DropArc();
};

// GameTime of the last link sound.
extern int BlockElectroSoundTime;

}  // namespace kelp
