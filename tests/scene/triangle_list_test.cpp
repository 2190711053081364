#include "scene/triangle_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <vector>

namespace {

const Int4 kGrey{100, 100, 100, 0};

void AddStrip(CTriangleList& list, std::int32_t mode,
              const std::vector<std::int32_t>& depths) {
  list.BeginStrip(mode);
  for (std::int32_t depth : depths) list.AddVertex(Int4{0, 0, depth, 1}, kGrey);
}

double Depth(const CTriangleList& list, std::int32_t t, int corner) {
  return list.vertices[list.triangles[t].vertex[corner]].depth;
}

TEST(TriangleList, EachDrawnStripMakesItsOwnTriangles) {
  CTriangleList list;
  AddStrip(list, 4, {0, 1, 2, 3, 4});
  EXPECT_EQ(3, list.triangleCount);
  AddStrip(list, 12, {0, 1, 2});  // 4 in the low three bits: drawn too
  ASSERT_EQ(4, list.triangleCount);
  EXPECT_GE(
      *std::min_element(list.triangles[3].vertex, list.triangles[3].vertex + 3),
      5);
  AddStrip(list, 5, {0, 1, 2, 3});
  EXPECT_EQ(8, list.vertexCount);
  EXPECT_EQ(4, list.triangleCount);
}

TEST(TriangleList, StoresTheFarthestVertexFirst) {
  const std::vector<std::vector<std::int32_t>> depthSets = {
      {1, 2, 3}, {1, 3, 2}, {2, 1, 3}, {2, 3, 1}, {3, 1, 2}, {3, 2, 1},
      {1, 1, 2}, {1, 2, 1}, {2, 1, 1}, {2, 2, 1}, {5, 5, 5}};
  for (const auto& depths : depthSets) {
    CTriangleList list;
    AddStrip(list, 4, depths);
    ASSERT_EQ(1, list.triangleCount);
    const std::int32_t* v = list.triangles[0].vertex;
    EXPECT_TRUE(std::is_permutation(v, v + 3, std::array{0, 1, 2}.begin()));
    EXPECT_LE(Depth(list, 0, 0), Depth(list, 0, 1));
    EXPECT_LE(Depth(list, 0, 1), Depth(list, 0, 2));
  }
}

TEST(TriangleList, SortKeepsEveryTriangleAndOrdersFarthestFirst) {
  std::mt19937 random(7);
  std::uniform_int_distribution<std::int32_t> depth(-20, 20);  // many ties
  std::vector<std::int32_t> depths(500);
  for (auto& d : depths) d = depth(random);
  CTriangleList list;
  AddStrip(list, 4, depths);

  auto sortedTriangles = [&list] {
    std::vector<std::array<std::int32_t, 3>> all;
    for (std::int32_t t = 0; t < list.triangleCount; ++t) {
      const std::int32_t* v = list.triangles[t].vertex;
      all.push_back({v[0], v[1], v[2]});
    }
    std::sort(all.begin(), all.end());
    return all;
  };
  const auto before = sortedTriangles();
  list.SortTriangles(-3, list.triangleCount + 10);  // clamped to the list
  EXPECT_EQ(before, sortedTriangles());
  for (std::int32_t t = 1; t < list.triangleCount; ++t) {
    ASSERT_LE(Depth(list, t - 1, 0), Depth(list, t, 0)) << t;
  }
}

}  // namespace
