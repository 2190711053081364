#include "scene/scene_objects.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

template <typename Base>
struct Counted : Base {
  template <typename... Args>
  explicit Counted(int* counter, Args... args)
      : Base(args...), destroyed(counter) {}
  ~Counted() override { ++*destroyed; }
  int* destroyed;
};

bool IsAligned16(const void* p) {
  return reinterpret_cast<std::uintptr_t>(p) % 16 == 0;
}

TEST(BlockData, GrowsStepwiseAndKeepsItsEntries) {
  CGSObject object;
  object.Vertex(1, 2, 3);  // no block yet: ignored
  EXPECT_TRUE(object.blocks.IsEmpty());

  object.BeginBlock(12);
  object.Color(10, 20, 30, 40);
  std::vector<std::int32_t> capacities;
  for (int i = 0; i < 100; ++i) {
    object.NormalUnit(0, 0, -2.0 - i);
    object.Vertex(i, -i, 0.5);
    if (capacities.empty() ||
        capacities.back() != object.currentBlock->capacity)
      capacities.push_back(object.currentBlock->capacity);
  }
  EXPECT_EQ((std::vector<std::int32_t>{4, 8, 12, 28, 44, 60, 76, 95, 118}),
            capacities);
  EXPECT_EQ(kMaxArrayCapacity, NextCapacity(kMaxArrayCapacity));

  const CBlockData& block = *object.currentBlock;
  ASSERT_EQ(100, block.count);
  EXPECT_TRUE(IsAligned16(block.positions) && IsAligned16(block.normals) &&
              IsAligned16(block.colors));
  for (int i = 0; i < 100; i += 33) {
    EXPECT_EQ(i, block.positions[i].x);
    EXPECT_EQ(1, block.positions[i].w);
    EXPECT_DOUBLE_EQ(-1, block.normals[i].z);
    EXPECT_EQ(1, block.normals[i].w);
    EXPECT_EQ(30, block.colors[i].z);
  }
}

TEST(SceneObjects, RootOwnsObjectsAndTheirBlocks) {
  int blocksDestroyed = 0;
  int objectsDestroyed = 0;
  {
    CGSRoot root;
    auto* child = new Counted<CGSObject>(&objectsDestroyed);
    child->blocks.PushBack(new Counted<CBlockData>(&blocksDestroyed, 4));
    child->blocks.PushBack(new Counted<CBlockData>(&blocksDestroyed, 4));
    child->PushBack(new Counted<CGSObject>(&objectsDestroyed));
    ASSERT_TRUE(root.PushBack(child));
  }
  EXPECT_EQ(2, blocksDestroyed);
  EXPECT_EQ(2, objectsDestroyed);
}

}  // namespace
