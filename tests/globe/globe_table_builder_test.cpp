#include "globe/globe_table_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace {
GlobeTableInputs Inputs(int width, int height, double tilt = 30) {
  GlobeTableInputs in;
  in.width = width;
  in.height = height;
  in.textureWidth = 360;
  in.textureHeight = 180;
  in.texShift = 4;
  in.tiltDegrees = tilt;
  in.turnDegrees = 20;
  return in;
}

std::vector<GlobeEntry> Reference(const GlobeTableInputs& in) {
  std::vector<GlobeEntry> table(std::size_t(in.width) * in.height);
  BuildGlobeTableReference(in, table.data());
  return table;
}

// Whether entries [from, to) of the builder's table are the rule's.
bool SameEntries(const CGlobeTableBuilder& builder,
                 const std::vector<GlobeEntry>& reference, std::size_t from,
                 std::size_t to) {
  return to <= reference.size() &&
         std::memcmp(builder.Entries() + from, reference.data() + from,
                     (to - from) * sizeof(GlobeEntry)) == 0;
}

// Large enough that a build takes many milliseconds on any machine here.
const GlobeTableInputs kLarge = Inputs(1400, 1100);
const std::vector<GlobeEntry>& LargeReference() {
  static const std::vector<GlobeEntry> table = Reference(kLarge);
  return table;
}

void WaitForFirstRows(const CGlobeTableBuilder& builder) {
  while (builder.Filled() == 0 && builder.Running()) std::this_thread::yield();
}
}  // namespace

TEST(CGlobeTableBuilder, AFinishedBuildIsTheRulesTableAndReportsDoneOnce) {
  GlobeTableInputs smallest = Inputs(1, 3);  // the smallest table and texture
  smallest.textureWidth = smallest.textureHeight = 1;
  for (const GlobeTableInputs& in : {Inputs(301, 203), smallest}) {
    SCOPED_TRACE(testing::Message() << in.width << " x " << in.height);
    CGlobeTableBuilder builder;
    ASSERT_TRUE(builder.Start(in));
    builder.Wait();
    EXPECT_FALSE(builder.Running());
    ASSERT_EQ(builder.Size(), std::size_t(in.width) * std::size_t(in.height));
    EXPECT_EQ(builder.Filled(), builder.Size());
    EXPECT_TRUE(SameEntries(builder, Reference(in), 0, builder.Size()));
    EXPECT_TRUE(builder.TakeDone());
    EXPECT_FALSE(builder.TakeDone());
    EXPECT_FALSE(builder.Running()) << "taking the flag starts nothing";
  }
}

// Watched while it runs, the filled stretch only grows, by whole rows, and
// everything in it is final the moment it is published.
TEST(CGlobeTableBuilder, TheFilledStretchGrowsByWholeRowsAndIsValidAtOnce) {
  const std::vector<GlobeEntry>& reference = LargeReference();
  CGlobeTableBuilder builder;
  ASSERT_TRUE(builder.Start(kLarge));
  std::size_t seen = 0, changes = 0;
  for (;;) {
    // Read first: when no worker runs, the fill level read after is final.
    const bool running = builder.Running();
    const std::size_t filled = builder.Filled();
    ASSERT_GE(filled, seen);
    ASSERT_EQ(filled % std::size_t(kLarge.width), 0u);
    if (filled > seen) {
      ASSERT_TRUE(SameEntries(builder, reference, seen, filled));
      seen = filled;
      ++changes;
    } else if (!running) {
      break;
    } else {
      std::this_thread::yield();
    }
  }
  EXPECT_EQ(seen, builder.Size());
  EXPECT_GT(changes, 1u) << "published as it grows, not at the end";
  builder.Wait();
  EXPECT_TRUE(builder.TakeDone());
}

TEST(CGlobeTableBuilder, AStopKeepsTheFilledRowsAndReportsNoDone) {
  const std::vector<GlobeEntry>& reference = LargeReference();
  CGlobeTableBuilder builder;
  ASSERT_TRUE(builder.Start(kLarge));
  WaitForFirstRows(builder);
  builder.Stop();
  EXPECT_FALSE(builder.Running());
  const std::size_t filled = builder.Filled();
  EXPECT_EQ(filled % std::size_t(kLarge.width), 0u);
  EXPECT_TRUE(SameEntries(builder, reference, 0, filled));
  if (filled < builder.Size()) {
    EXPECT_FALSE(builder.TakeDone());
  }
  builder.Wait();  // nothing left to wait for
  EXPECT_EQ(builder.Filled(), filled);
}

TEST(CGlobeTableBuilder, AStartWhileBuildingReplacesTheBuild) {
  CGlobeTableBuilder builder;
  ASSERT_TRUE(builder.Start(kLarge));
  const GlobeTableInputs next = Inputs(257, 131, -60);
  ASSERT_TRUE(builder.Start(next));
  builder.Wait();
  EXPECT_EQ(builder.Inputs().width, 257);
  EXPECT_EQ(builder.Inputs().tiltDegrees, -60);
  ASSERT_EQ(builder.Filled(), builder.Size());
  EXPECT_TRUE(SameEntries(builder, Reference(next), 0, builder.Size()));
  EXPECT_TRUE(builder.TakeDone());
  EXPECT_FALSE(builder.TakeDone()) << "the replaced build reports nothing";
}

TEST(CGlobeTableBuilder, StartClearsTheDoneOfTheBuildBefore) {
  CGlobeTableBuilder builder;
  ASSERT_TRUE(builder.Start(Inputs(64, 64)));
  builder.Wait();  // done, and not taken
  ASSERT_TRUE(builder.Start(kLarge));
  builder.Stop();
  if (builder.Filled() < builder.Size()) {
    EXPECT_FALSE(builder.TakeDone());
  }
  ASSERT_TRUE(builder.Start(kLarge));
  builder.Wait();
  EXPECT_TRUE(builder.TakeDone());
}

TEST(CGlobeTableBuilder, NoEntriesOrNoTexelsIsDoneAtOnce) {
  GlobeTableInputs noTexels = Inputs(50, 40);
  noTexels.textureWidth = 0;
  GlobeTableInputs noRows = Inputs(50, 40);
  noRows.textureHeight = 0;
  for (const GlobeTableInputs& in :
       {Inputs(0, 40), Inputs(50, 0), Inputs(-5, -7), noTexels, noRows}) {
    CGlobeTableBuilder builder;
    ASSERT_TRUE(builder.Start(in));
    EXPECT_FALSE(builder.Running());
    EXPECT_TRUE(builder.TakeDone());
    EXPECT_EQ(builder.Size(), std::size_t(std::max(in.width, 0)) *
                                  std::size_t(std::max(in.height, 0)));
    EXPECT_GE(builder.Inputs().width, 0);
    EXPECT_GE(builder.Inputs().height, 0);
  }
}

// The entry limit stands for memory running out: a table of exactly the
// limit is built, one entry more leaves no table at all, not the last one.
TEST(CGlobeTableBuilder, ATableOverTheLimitLeavesNoTable) {
  CGlobeTableBuilder builder;
  builder.LimitEntries(64 * 64);
  ASSERT_TRUE(builder.Start(Inputs(64, 64)));
  builder.Wait();
  ASSERT_EQ(builder.Filled(), 64u * 64);
  EXPECT_FALSE(builder.Start(Inputs(65, 64)));
  EXPECT_EQ(builder.Size(), 0u);
  EXPECT_EQ(builder.Filled(), 0u);
  EXPECT_EQ(builder.Inputs().width, 0);
  EXPECT_FALSE(builder.TakeDone());
}

TEST(CGlobeTableBuilder, DestroyingTheBuilderMidBuildStopsItsWorkers) {
  for (int round = 0; round < 3; ++round) {
    auto builder = std::make_unique<CGlobeTableBuilder>();
    ASSERT_TRUE(builder->Start(kLarge));
    if (round > 0) WaitForFirstRows(*builder);
    builder.reset();  // must neither hang nor leave a worker writing
  }
}
