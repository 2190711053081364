// A small retained scene: a tree of objects under one root, each object with
// a local transform and blocks of vertices filled immediate-mode style
// (begin a block, set normal and colour, emit vertices). The root holds the
// camera, three directional lights with an ambient term, and the triangle
// list every frame is flattened into.
#pragma once

#include <cstdint>

#include "base/vector_math.h"
#include "scene/chain_list.h"
#include "scene/triangle_list.h"

// One strip of vertices: parallel position, normal and colour arrays in a
// single 16-byte aligned allocation.
class CBlockData : public CChainNode {
 public:
  // Blocks whose mode has 4 in its low three bits are drawn as strips of
  // triangles; others are kept but draw nothing.
  explicit CBlockData(std::int32_t blockMode) : mode(blockMode) {}
  ~CBlockData() override;

  // False (and nothing stored) when the arrays cannot grow.
  bool Append(const Vector4& position, const Vector4& normal,
              const Vector4& color);

  std::int32_t mode;
  Vector4* positions = nullptr;
  Vector4* normals = nullptr;
  Vector4* colors = nullptr;
  std::int32_t count = 0;
  std::int32_t capacity = 0;

 private:
  bool Grow();
};

class CGSObject : public CTreeNode {
 public:
  CGSObject();
  ~CGSObject() override;

  // Accumulates this object's matrix on the right of `accumulated` and hands
  // everything to the parent; the root finally draws `blockList`.
  virtual void Transform(CTriangleList& list, CChainList& blockList,
                         const Matrix4& projection, Matrix4& accumulated);
  // Draws this object's blocks, then its children's, depth first.
  virtual void Render(CTriangleList& list, const Matrix4& projection);
  // Creates the object's blocks; a plain object has none.
  virtual void Build();

  // Vertices go to the new block from now on.
  void BeginBlock(std::int32_t mode);
  void Normal(double x, double y, double z);
  void NormalUnit(double x, double y, double z);
  // Components 0-2 become the blue, green and red bytes; 3 is carried only.
  void Color(double c0, double c1, double c2, double c3);
  // Appends (position, current normal, current colour) to the current block;
  // ignored before the first BeginBlock.
  void Vertex(double x, double y, double z);

  CChainList blocks;
  CBlockData* currentBlock = nullptr;
  Matrix4 matrix{};
  Matrix4 world{};
  Vector4 position{0, 0, 0, 1};
  // w = 1 so that the ambient light counts fully.
  Vector4 normal{0, 0, 0, 1};
  Vector4 color{0, 0, 0, 0};
};

class CGSRoot : public CGSObject {
 public:
  CGSRoot();
  ~CGSRoot() override;

  // Finishes the matrices of the object whose blocks these are and draws
  // them into the list.
  void Transform(CTriangleList& list, CChainList& blockList,
                 const Matrix4& projection, Matrix4& accumulated) override;

  CTriangleList triangleList;

  Vector4 light1{1, 1, -1, 0};
  Vector4 light2{0, 0, 0, 0};
  Vector4 light3{0, 0, 0, 0};
  Vector4 lightColor1{1, 1, 1, 1};
  Vector4 lightColor2{0, 0, 0, 0};
  Vector4 lightColor3{0, 0, 0, 0};
  Vector4 ambient{0.5, 0.5, 0.5, 1};

  Vector4 eye{0, 0, -25, 0};
  Vector4 viewDirection{0, 0, 1, 1};
  Vector4 viewUp{0, 1, 0, 1};
  // Rotations about x, y and z orbit the camera around the origin.
  Vector4 viewAngles{0, 0, 0, 0};

  // Derived from the camera while rendering.
  Matrix4 viewRotation{};
  Vector4 rotatedEye{};
  Vector4 rotatedDirection{};
  Vector4 rotatedUp{};
  Matrix4 viewMatrix{};

  // The intermediate matrices of the last Transform.
  Matrix4 rootLinear{};
  Matrix4 rootTranslation{};
  Matrix4 lightMatrix{};
  Matrix4 colorMatrix{};
  Matrix4 normalToLight{};
  Matrix4 modelMatrix{};
  Matrix4 vertexMatrix{};

 private:
  void UpdateViewMatrix();
};
