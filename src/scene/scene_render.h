// Drawing a scene: every object's blocks are projected, lit per vertex and
// flattened into the root's triangle list, which is then sorted back to front
// and filled at half coverage. No depth buffer, no back-face culling and no
// clipping beyond the rasterizer's own: a see-through scene needs none.
#pragma once

#include "base/vector_math.h"
#include "scene/scene_objects.h"

class CCanvas;

// `projection` comes from SetPerspective.
void RenderScene(CGSRoot& root, CCanvas& canvas, const Matrix4& projection);

// Adds one block to the list as a strip: positions through `vertexMatrix`
// (object space to screen), normals through `normalToLight` (object space to
// light cosines and ambient weight), mixed by `colourMatrix`.
void DrawBlock(const CBlockData& block, CTriangleList& list,
               const Matrix4& vertexMatrix, const Matrix4& normalToLight,
               const Matrix4& colorMatrix);
