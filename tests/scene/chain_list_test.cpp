#include "scene/chain_list.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

struct Item : CChainNode {
  explicit Item(int v) : value(v) {}
  int value;
};

// A tree node that records its name when destroyed.
struct Named : CTreeNode {
  Named(std::string n, std::string* log) : name(std::move(n)), destroyed(log) {}
  ~Named() override { *destroyed += name; }
  std::string name;
  std::string* destroyed;
};

std::vector<int> Values(const IChainList& list) {
  std::vector<int> values;
  for (CChainNode* n = list.First(); n != nullptr; n = list.Next(n)) {
    values.push_back(static_cast<Item*>(n)->value);
  }
  return values;
}

void Fill(CChainList& list, std::initializer_list<int> values) {
  for (int v : values) list.PushBack(new Item(v));
}

int ByValue(const CChainNode* a, const CChainNode* b, void* sign) {
  return *static_cast<int*>(sign) * (static_cast<const Item*>(a)->value -
                                     static_cast<const Item*>(b)->value);
}

TEST(ChainList, NavigatesBothWaysAndStopsAtTheEnds) {
  CChainList list;
  EXPECT_EQ(nullptr, list.First());
  EXPECT_EQ(nullptr, list.PopBack());
  Fill(list, {2, 3});
  list.PushFront(new Item(1));
  EXPECT_EQ((std::vector<int>{1, 2, 3}), Values(list));
  EXPECT_EQ(nullptr, list.Next(list.Last()));
  EXPECT_EQ(nullptr, list.Prev(list.First()));
  EXPECT_EQ(list.Last(), list.At(2));
  EXPECT_EQ(nullptr, list.At(3));
  EXPECT_EQ(nullptr, list.At(-1));
  EXPECT_EQ(1, list.IndexOf(list.At(1)));
}

TEST(ChainList, RefusesNodesAndReferencesOfOtherLists) {
  CChainList a, b;
  Fill(a, {1, 2});
  Fill(b, {9});
  CChainNode* foreign = b.First();
  auto* loose = new Item(5);
  EXPECT_FALSE(a.PushBack(foreign));
  EXPECT_FALSE(a.InsertBefore(foreign, loose));  // reference not in a
  EXPECT_FALSE(a.Remove(foreign));
  EXPECT_FALSE(a.Remove(&a));    // its own sentinel
  EXPECT_FALSE(a.PushBack(&b));  // another list's sentinel
  EXPECT_EQ(-1, a.IndexOf(foreign));
  EXPECT_EQ((std::vector<int>{1, 2}), Values(a));
  EXPECT_EQ(1, b.Count());

  EXPECT_TRUE(a.InsertBefore(a.Last(), loose));
  EXPECT_EQ((std::vector<int>{1, 5, 2}), Values(a));
  EXPECT_TRUE(a.Remove(loose));
  EXPECT_TRUE(b.PushFront(loose));
}

TEST(ChainList, DestroyingAMemberKeepsTheCountTrue) {
  CChainList list;
  Fill(list, {1, 2, 3});
  delete list.At(1);
  EXPECT_EQ(2, list.Count());
  EXPECT_EQ(nullptr, list.At(2));
  EXPECT_EQ((std::vector<int>{1, 3}), Values(list));
}

TEST(ChainList, SortsEitherWayAndKeepsOrderWhenAllAreEqual) {
  CChainList list;
  Fill(list, {5, 1, 4, 1, 3, 9, 2, 6, 5});
  int ascending = 1, descending = -1, allEqual = 0;
  list.Sort(ByValue, &ascending);
  EXPECT_EQ((std::vector<int>{1, 1, 2, 3, 4, 5, 5, 6, 9}), Values(list));
  list.Sort(ByValue, &descending);
  EXPECT_EQ((std::vector<int>{9, 6, 5, 5, 4, 3, 2, 1, 1}), Values(list));
  list.PushFront(new Item(0));
  list.Sort(ByValue, &allEqual);
  EXPECT_EQ((std::vector<int>{0, 9, 6, 5, 5, 4, 3, 2, 1, 1}), Values(list));
}

// root -> a -> b -> c, and root -> d
struct SmallTree : ::testing::Test {
  std::string destroyed;
  Named* root = new Named("root", &destroyed);
  Named* a = new Named("a", &destroyed);
  Named* b = new Named("b", &destroyed);
  Named* c = new Named("c", &destroyed);
  Named* d = new Named("d", &destroyed);
  void SetUp() override {
    b->PushBack(c);
    a->PushBack(b);
    root->PushBack(a);
    root->PushBack(d);
  }
  void TearDown() override { delete root; }
  std::array<int, 3> Totals() const {
    return {b->total, a->total, root->total};
  }
};

TEST_F(SmallTree, TotalsCountEveryDescendant) {
  EXPECT_EQ((std::array{1, 2, 4}), Totals());
  EXPECT_FALSE(a->IsEmpty());
  EXPECT_TRUE(d->IsEmpty());
  EXPECT_FALSE(root->Contains(b));
  auto* subtree = new Named("s", &destroyed);
  for (int i = 0; i < 3; ++i) subtree->PushBack(new Item(i));
  IChainList& viaInterface = *b;
  ASSERT_TRUE(viaInterface.PushBack(subtree));
  EXPECT_EQ((std::array{5, 6, 8}), Totals());
  ASSERT_TRUE(b->Remove(subtree));
  EXPECT_EQ((std::array{1, 2, 4}), Totals());
  delete subtree;
}

TEST_F(SmallTree, RefusesToCloseACycle) {
  EXPECT_FALSE(c->PushBack(root));
  EXPECT_FALSE(root->PushBack(root));
  EXPECT_FALSE(d->PushFront(a));  // already a child of root
  EXPECT_EQ(4, root->total);
}

TEST_F(SmallTree, DestroysDeepestAndLastFirst) {
  root->DeleteAll();
  EXPECT_EQ("dcba", destroyed);
  EXPECT_EQ(0, root->total);
}

TEST_F(SmallTree, DestroyingAMemberSubtreeUpdatesAncestors) {
  delete b;
  EXPECT_EQ((std::array{0, 2}), (std::array{a->total, root->total}));
}

}  // namespace
