// The frame's flattened geometry: projected, lit vertices and the triangles
// between them, sorted back to front and filled translucently.
//
// There is no depth buffer: a painter's order by each triangle's farthest
// vertex is all the visibility there is, which suits a scene whose every
// surface is half transparent anyway.
#pragma once

#include <cstdint>

#include "base/vector_math.h"

class CCanvas;

// Capacity growth shared by the scene library's arrays: +4 up to 8, +16 up
// to 64, then +25 % (0, 4, 8, 12, 28, 44, 60, 76, 95, ...). Stops at
// kMaxArrayCapacity, so byte sizes stay far inside a 32-bit size_t; a caller
// that gets back the capacity it passed in cannot grow.
inline constexpr std::int32_t kMaxArrayCapacity = std::int32_t{1} << 24;
std::int32_t NextCapacity(std::int32_t capacity);

// Canvas x and y in pixels; larger depth is nearer.
struct ProjectedVertex {
  double x, y, depth;
};

// Vertex indices, farthest vertex first.
struct TriangleIndices {
  std::int32_t vertex[3];
};

class CTriangleList {
 public:
  // Coverage every triangle is filled with: the scene is see-through.
  static constexpr std::uint32_t kTriangleAlpha = 128;

  CTriangleList() = default;
  ~CTriangleList();
  CTriangleList(const CTriangleList&) = delete;
  CTriangleList& operator=(const CTriangleList&) = delete;

  // Empties the list. The storage is kept, so that a frame of the same scene
  // allocates nothing once the arrays have grown to its size.
  void Clear();
  // Empties the list and releases its storage.
  void Release();
  // Starts a new strip for a block of the given mode; earlier vertices never
  // join its triangles.
  void BeginStrip(std::int32_t blockMode);
  // `point` is (x, y, depth, w) from ProjectPoint, `colour` (blue, green,
  // red, unused) from ShadeVertex. Only strips whose mode has 4 in its low
  // three bits keep vertices; every vertex from the third of a strip on adds
  // the triangle of the last three. A vertex or triangle that cannot get
  // memory is dropped.
  void AddVertex(const Int4& point, const Int4& color);
  // Sorts triangles lo..hi (clamped to the list) by the depth of their
  // farthest vertex, farthest first.
  void SortTriangles(std::int32_t lo, std::int32_t hi);
  // Sorts everything and fills each triangle in the colour of its farthest
  // vertex.
  void DrawTriangles(CCanvas& canvas);

  std::int32_t vertexCount = 0;
  std::int32_t vertexCapacity = 0;
  std::int32_t triangleCount = 0;
  std::int32_t triangleCapacity = 0;
  ProjectedVertex* vertices = nullptr;
  std::uint32_t* vertexColors = nullptr;  // 0xAARRGGBB
  TriangleIndices* triangles = nullptr;
  std::int32_t mode = 0;
  std::int32_t blockStart = 0;

 private:
  bool ReserveVertex();
  bool ReserveTriangle();
  void AppendTriangle(std::int32_t a, std::int32_t b, std::int32_t c);
  double Key(std::int32_t triangle) const;
  void SwapTriangles(std::int32_t i, std::int32_t j);
  void Quicksort(std::int32_t lo, std::int32_t hi);
};
