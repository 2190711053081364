#include "scene/scene_objects.h"

#include <algorithm>
#include <cstddef>
#include <new>

namespace {

constexpr std::align_val_t kVectorAlignment{alignof(Vector4)};

// The three arrays of `capacity` vectors each, in one allocation.
Vector4* AllocateArrays(std::int32_t capacity) {
  const std::size_t bytes =
      3 * sizeof(Vector4) * static_cast<std::size_t>(capacity);
  return static_cast<Vector4*>(
      ::operator new(bytes, kVectorAlignment, std::nothrow));
}

void FreeArrays(Vector4* base) {
  if (base != nullptr) ::operator delete(base, kVectorAlignment);
}

}  // namespace

// ---------------------------------------------------------------- CBlockData

CBlockData::~CBlockData() { FreeArrays(positions); }

bool CBlockData::Grow() {
  const std::int32_t grown = NextCapacity(capacity);
  if (grown == capacity) return false;
  Vector4* base = AllocateArrays(grown);
  if (base == nullptr) return false;
  std::copy_n(positions, count, base);
  std::copy_n(normals, count, base + grown);
  std::copy_n(colors, count, base + 2 * grown);
  FreeArrays(positions);
  positions = base;
  normals = base + grown;
  colors = base + 2 * grown;
  capacity = grown;
  return true;
}

bool CBlockData::Append(const Vector4& position, const Vector4& normal,
                        const Vector4& color) {
  if (count >= capacity && !Grow()) return false;
  positions[count] = position;
  normals[count] = normal;
  colors[count] = color;
  ++count;
  return true;
}

// ----------------------------------------------------------------- CGSObject

CGSObject::CGSObject() {
  SetIdentity(matrix);
  SetIdentity(world);
}

CGSObject::~CGSObject() = default;

void CGSObject::Build() {}

void CGSObject::BeginBlock(std::int32_t mode) {
  // Without memory for the block, the vertices meant for it are dropped.
  currentBlock = new (std::nothrow) CBlockData(mode);
  if (currentBlock != nullptr) blocks.PushBack(currentBlock);
}

void CGSObject::Normal(double x, double y, double z) {
  normal = Vector4{x, y, z, 1};
}

void CGSObject::NormalUnit(double x, double y, double z) {
  Normal(x, y, z);
  Normalize(normal, normal);
}

void CGSObject::Color(double c0, double c1, double c2, double c3) {
  color = Vector4{c0, c1, c2, c3};
}

void CGSObject::Vertex(double x, double y, double z) {
  position = Vector4{x, y, z, 1};
  if (currentBlock != nullptr) currentBlock->Append(position, normal, color);
}

// ------------------------------------------------------------------- CGSRoot

CGSRoot::CGSRoot() {
  SetIdentity(viewRotation);
  SetIdentity(viewMatrix);
}

CGSRoot::~CGSRoot() = default;
