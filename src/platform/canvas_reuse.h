#pragma once
// Reusing a stretch of drawing that repeats. The screens under a modal box
// stand still and are dimmed under it, yet are drawn whole every frame: the
// draws between BeginReusableDrawing and EndReusableDrawing are held back,
// and when they are the very draws of the last time (same geometry, colours,
// blends, clips and textures, right after the same clear), the canvas is
// restored from the picture they made then instead of drawing them again.
// Only the software canvas does this; elsewhere both calls do nothing.

namespace platform {

void BeginReusableDrawing();
void EndReusableDrawing();

}  // namespace platform
