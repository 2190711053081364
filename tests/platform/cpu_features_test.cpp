#include "platform/cpu_features.h"

#include <gtest/gtest.h>

namespace {
constexpr unsigned kSse2 = unsigned(CpuFeature::kSse2);
constexpr unsigned kAvx2 = unsigned(CpuFeature::kAvx2);

int Plain() { return 0; }
int Sse2() { return 1; }
int Avx2() { return 2; }
}  // namespace

TEST(CpuFeatures, DisableListNamesInstructionSetsAndTheirWiderKin) {
  EXPECT_EQ(DisabledCpuFeatures(""), 0u);
  EXPECT_EQ(DisabledCpuFeatures("avx2"), kAvx2);
  EXPECT_EQ(DisabledCpuFeatures("SSE2"), kSse2 | kAvx2) << "no AVX2 without it";
  EXPECT_EQ(DisabledCpuFeatures("avx2,sse2"), kSse2 | kAvx2);
  EXPECT_EQ(DisabledCpuFeatures(" avx2 , neon,,"), kAvx2) << "unknown ignored";
  EXPECT_EQ(DisabledCpuFeatures("avx"), 0u) << "whole names only";
}

TEST(CpuFeatures, ChoosePathTakesTheWidestUsablePath) {
  using Fn = int (*)();
  const int widest = CpuUses(CpuFeature::kAvx2)   ? 2
                     : CpuUses(CpuFeature::kSse2) ? 1
                                                  : 0;
  EXPECT_EQ(ChoosePath<Fn>(Plain, Sse2, Avx2)(), widest);
  EXPECT_EQ(ChoosePath<Fn>(Plain, nullptr, nullptr)(), 0);
  EXPECT_EQ(ChoosePath<Fn>(Plain, Sse2, nullptr)(), widest >= 1 ? 1 : 0);
  // A path is only used where the processor has its instructions.
  if (CpuUses(CpuFeature::kAvx2)) {
    EXPECT_TRUE(CpuSupports(CpuFeature::kAvx2));
    EXPECT_TRUE(CpuUses(CpuFeature::kSse2));
  }
}
