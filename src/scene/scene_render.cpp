#include "scene/scene_render.h"

// -------------------------------------------------------------- traversal

void CGSObject::Transform(CTriangleList& list, CChainList& blockList,
                          const Matrix4& projection, Matrix4& accumulated) {
  MulMat(accumulated, accumulated, matrix);
  if (auto* parent = dynamic_cast<CGSObject*>(owner)) {
    parent->Transform(list, blockList, projection, accumulated);
  }
}

void CGSObject::Render(CTriangleList& list, const Matrix4& projection) {
  if (!blocks.IsEmpty()) {
    SetIdentity(world);
    Transform(list, blocks, projection, world);
  }
  for (CChainNode* node = First(); node != nullptr; node = Next(node)) {
    if (auto* child = dynamic_cast<CGSObject*>(node)) {
      child->Render(list, projection);
    }
  }
}

// The root's rotation and translation are applied separately (translation
// first, in the root's unrotated frame), and only the rotation reaches the
// normals, so lighting follows the scene's orientation but not its position.
void CGSRoot::Transform(CTriangleList& list, CChainList& blockList,
                        const Matrix4& projection, Matrix4& accumulated) {
  LinearPart(rootLinear, matrix);
  TranslationPart(rootTranslation, matrix);
  MulMat(modelMatrix, accumulated, rootLinear);

  LightDirections(lightMatrix, light1, light2, light3);
  ColumnsToMatrix(colorMatrix, lightColor1, lightColor2, lightColor3, ambient);
  MulMat(normalToLight, lightMatrix, modelMatrix);

  MulMat(modelMatrix, modelMatrix, rootTranslation);
  UpdateViewMatrix();
  MulMat(vertexMatrix, viewMatrix, modelMatrix);
  MulMat(vertexMatrix, projection, vertexMatrix);

  for (CChainNode* node = blockList.First(); node != nullptr;
       node = blockList.Next(node)) {
    if (auto* block = dynamic_cast<CBlockData*>(node)) {
      DrawBlock(*block, list, vertexMatrix, normalToLight, colorMatrix);
    }
  }
}

// The view angles turn the whole camera (eye, direction and up) about the
// origin, so changing them orbits the scene rather than panning the view.
void CGSRoot::UpdateViewMatrix() {
  SetIdentity(viewRotation);
  RotateX(viewRotation, viewRotation, viewAngles.x);
  RotateY(viewRotation, viewRotation, viewAngles.y);
  RotateZ(viewRotation, viewRotation, viewAngles.z);
  MulMatVec(rotatedDirection, viewRotation, viewDirection);
  MulMatVec(rotatedUp, viewRotation, viewUp);
  MulMatVec(rotatedEye, viewRotation, eye);
  LookAt(viewMatrix, rotatedEye, rotatedDirection, rotatedUp);
}

// ----------------------------------------------------------------- drawing

void DrawBlock(const CBlockData& block, CTriangleList& list,
               const Matrix4& vertexMatrix, const Matrix4& normalToLight,
               const Matrix4& colorMatrix) {
  list.BeginStrip(block.mode);
  for (std::int32_t i = 0; i < block.count; ++i) {
    Int4 point;
    ProjectPoint(point, vertexMatrix, block.positions[i], /*keepDepth=*/true);
    Int4 color;
    ShadeVertex(color, normalToLight, colorMatrix, block.normals[i],
                block.colors[i]);
    list.AddVertex(point, color);
  }
}

void RenderScene(CGSRoot& root, CCanvas& canvas, const Matrix4& projection) {
  root.triangleList.Clear();
  // The root's own override is Transform; its traversal is the plain one.
  root.CGSObject::Render(root.triangleList, projection);
  root.triangleList.DrawTriangles(canvas);
}
