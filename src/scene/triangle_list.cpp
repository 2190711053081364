#include "scene/triangle_list.h"

#include <algorithm>
#include <new>
#include <utility>

#include "pixels/triangle_fill.h"

namespace {

std::uint32_t ColorByte(std::int32_t component) {
  return static_cast<std::uint32_t>(std::clamp(component, 0, 255));
}

// (blue, green, red) components to a pixel word of the triangle coverage.
std::uint32_t VertexPixel(const Int4& color) {
  return (CTriangleList::kTriangleAlpha << 24) | (ColorByte(color.z) << 16) |
         (ColorByte(color.y) << 8) | ColorByte(color.x);
}

// The three vertices ordered by ascending depth: farthest first.
TriangleIndices FarthestFirst(std::int32_t a, std::int32_t b, std::int32_t c,
                              double za, double zb, double zc) {
  if (za < zb) {
    if (zb < zc) return {{a, b, c}};
    if (za < zc) return {{a, c, b}};
    return {{c, a, b}};
  }
  if (zb > zc) return {{c, b, a}};
  if (za > zc) return {{b, c, a}};
  return {{b, a, c}};
}

}  // namespace

std::int32_t NextCapacity(std::int32_t capacity) {
  if (capacity >= kMaxArrayCapacity) return capacity;
  std::int32_t step = 16;
  if (capacity > 64) {
    step = capacity / 4;
  } else if (capacity < 9) {
    step = 4;
  }
  return std::min(capacity + step, kMaxArrayCapacity);
}

CTriangleList::~CTriangleList() { Release(); }

void CTriangleList::Clear() {
  vertexCount = 0;
  triangleCount = 0;
  blockStart = 0;
}

void CTriangleList::Release() {
  delete[] vertices;
  delete[] vertexColors;
  delete[] triangles;
  vertices = nullptr;
  vertexColors = nullptr;
  triangles = nullptr;
  vertexCount = vertexCapacity = 0;
  triangleCount = triangleCapacity = 0;
}

void CTriangleList::BeginStrip(std::int32_t blockMode) {
  mode = blockMode;
  blockStart = vertexCount;
}

bool CTriangleList::ReserveVertex() {
  if (vertexCount < vertexCapacity) return true;
  const std::int32_t capacity = NextCapacity(vertexCapacity);
  if (capacity == vertexCapacity) return false;
  auto* grownVertices = new (std::nothrow) ProjectedVertex[capacity];
  auto* grownColors = new (std::nothrow) std::uint32_t[capacity];
  if (grownVertices == nullptr || grownColors == nullptr) {
    delete[] grownVertices;
    delete[] grownColors;
    return false;
  }
  std::copy_n(vertices, vertexCount, grownVertices);
  std::copy_n(vertexColors, vertexCount, grownColors);
  delete[] vertices;
  delete[] vertexColors;
  vertices = grownVertices;
  vertexColors = grownColors;
  vertexCapacity = capacity;
  return true;
}

bool CTriangleList::ReserveTriangle() {
  if (triangleCount < triangleCapacity) return true;
  const std::int32_t capacity = NextCapacity(triangleCapacity);
  if (capacity == triangleCapacity) return false;
  auto* grown = new (std::nothrow) TriangleIndices[capacity];
  if (grown == nullptr) return false;
  std::copy_n(triangles, triangleCount, grown);
  delete[] triangles;
  triangles = grown;
  triangleCapacity = capacity;
  return true;
}

void CTriangleList::AddVertex(const Int4& point, const Int4& color) {
  if ((mode & 7) != 4) return;
  if (!ReserveVertex()) return;
  vertices[vertexCount] = ProjectedVertex{static_cast<double>(point.x),
                                          static_cast<double>(point.y),
                                          static_cast<double>(point.z)};
  vertexColors[vertexCount] = VertexPixel(color);
  ++vertexCount;
  if (vertexCount > blockStart + 2) {
    AppendTriangle(vertexCount - 3, vertexCount - 2, vertexCount - 1);
  }
}

void CTriangleList::AppendTriangle(std::int32_t a, std::int32_t b,
                                   std::int32_t c) {
  if (!ReserveTriangle()) return;
  triangles[triangleCount++] = FarthestFirst(
      a, b, c, vertices[a].depth, vertices[b].depth, vertices[c].depth);
}

double CTriangleList::Key(std::int32_t triangle) const {
  return vertices[triangles[triangle].vertex[0]].depth;
}

void CTriangleList::SwapTriangles(std::int32_t i, std::int32_t j) {
  std::swap(triangles[i], triangles[j]);
}

void CTriangleList::SortTriangles(std::int32_t lo, std::int32_t hi) {
  Quicksort(std::max(lo, 0), std::min(hi, triangleCount - 1));
}

// Hoare partition around the middle element's key. Depths are whole numbers
// (they come from the integer projection), so the key needs no truncation;
// taking it exactly also keeps both scans stopping at the pivot element.
// The smaller part is sorted by recursion and the larger by the loop, which
// bounds the stack at log2(n) frames whatever the input.
void CTriangleList::Quicksort(std::int32_t lo, std::int32_t hi) {
  while (lo < hi) {
    const double pivot = Key((lo + hi) >> 1);
    std::int32_t i = lo;
    std::int32_t j = hi;
    do {
      while (Key(i) < pivot) ++i;
      while (Key(j) > pivot) --j;
      if (i <= j) SwapTriangles(i++, j--);
    } while (i <= j);
    if (j - lo < hi - i) {
      if (lo < j) Quicksort(lo, j);
      lo = i;
    } else {
      if (i < hi) Quicksort(i, hi);
      hi = j;
    }
  }
}

void CTriangleList::DrawTriangles(CCanvas& canvas) {
  if (triangleCount <= 0) return;
  SortTriangles(0, triangleCount - 1);
  for (std::int32_t t = 0; t < triangleCount; ++t) {
    const std::int32_t* index = triangles[t].vertex;
    const ProjectedVertex& a = vertices[index[0]];
    const ProjectedVertex& b = vertices[index[1]];
    const ProjectedVertex& c = vertices[index[2]];
    FillTriangle(canvas, Point2D{a.x, a.y}, Point2D{b.x, b.y},
                 Point2D{c.x, c.y}, vertexColors[index[0]]);
  }
}
