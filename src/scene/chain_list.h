// Intrusive, circular, doubly linked lists and the tree built from them.
//
// A CChainNode sits in at most one list. A CChainList owns its nodes and is
// itself the sentinel of its ring. A CTreeNode is both a node (a child in its
// parent's list) and a list of its own children, and counts all of its
// descendants. Membership is recorded in each node's `owner`, so asking
// whether a node belongs to a list costs no walk.
#pragma once

#include <cstdint>

class CChainNode;

// A value >= 1 means a belongs after b.
using ChainCompare = int (*)(const CChainNode* a, const CChainNode* b,
                             void* context);

// The list operations shared by CChainList and CTreeNode. Lists are never
// destroyed through this interface, hence no virtual destructor.
class IChainList {
 public:
  virtual std::int32_t Count() const = 0;
  virtual bool IsEmpty() const = 0;
  virtual bool Contains(const CChainNode* n) const = 0;
  virtual CChainNode* First() const = 0;
  virtual CChainNode* Last() const = 0;
  // Null for a null node and at the ends of the list.
  virtual CChainNode* Next(const CChainNode* n) const = 0;
  virtual CChainNode* Prev(const CChainNode* n) const = 0;
  // The inserts refuse (false) a null node or one that is already in a list.
  virtual bool PushFront(CChainNode* n) = 0;
  virtual bool PushBack(CChainNode* n) = 0;
  // ... and a reference node that is not in this list.
  virtual bool InsertBefore(CChainNode* ref, CChainNode* n) = 0;
  virtual bool InsertAfter(CChainNode* ref, CChainNode* n) = 0;
  // The caller owns what these hand back.
  virtual CChainNode* PopFront() = 0;
  virtual CChainNode* PopBack() = 0;
  virtual bool Remove(CChainNode* n) = 0;
  // Destroys every node held.
  virtual void DeleteAll() = 0;
  virtual CChainNode* At(std::int32_t index) const = 0;
  // -1 for a node that is not in this list.
  virtual std::int32_t IndexOf(const CChainNode* n) const = 0;
  // Ascending in the sense of `compare`; equal nodes may change order.
  virtual void Sort(ChainCompare compare, void* context) = 0;

 protected:
  ~IChainList() = default;
};

class CChainNode {
 public:
  CChainNode() = default;
  // A node destroyed while still in a list leaves it through the list's own
  // Remove, so the list's count (and a tree's totals) stay true.
  virtual ~CChainNode();
  CChainNode(const CChainNode&) = delete;
  CChainNode& operator=(const CChainNode&) = delete;

  // Not in any list. A list's sentinel is never free: it owns itself.
  bool IsFree() const { return next == this && owner == nullptr; }

  // The list (or tree node) the node belongs to; null when in none.
  CChainNode* owner = nullptr;
  CChainNode* next = this;
  CChainNode* prev = this;

 protected:
  // Ring surgery that leaves `owner` alone.
  void SpliceAfter(CChainNode* p);
  void SpliceBefore(CChainNode* p);
  void Detach();
  // Detach and forget the owner: the node is free again.
  void Unlink();

  friend class CChainList;
};

class CChainList : public CChainNode, public IChainList {
 public:
  CChainList();
  ~CChainList() override;

  std::int32_t Count() const override;
  bool IsEmpty() const override;
  bool Contains(const CChainNode* n) const override;
  CChainNode* First() const override;
  CChainNode* Last() const override;
  CChainNode* Next(const CChainNode* n) const override;
  CChainNode* Prev(const CChainNode* n) const override;
  bool PushFront(CChainNode* n) override;
  bool PushBack(CChainNode* n) override;
  bool InsertBefore(CChainNode* ref, CChainNode* n) override;
  bool InsertAfter(CChainNode* ref, CChainNode* n) override;
  CChainNode* PopFront() override;
  CChainNode* PopBack() override;
  bool Remove(CChainNode* n) override;
  void DeleteAll() override;
  CChainNode* At(std::int32_t index) const override;
  std::int32_t IndexOf(const CChainNode* n) const override;
  void Sort(ChainCompare compare, void* context) override;

 private:
  std::int32_t count = 0;

  bool IsMember(const CChainNode* n) const;
  void Insert(CChainNode* n, CChainNode* after);
  CChainNode* Take(CChainNode* n);
};

class CTreeNode : public CChainNode, public IChainList {
 public:
  CTreeNode();
  ~CTreeNode() override;

  std::int32_t Count() const override;
  // True when there are no descendants at any depth.
  bool IsEmpty() const override;
  // Direct children only.
  bool Contains(const CChainNode* n) const override;
  CChainNode* First() const override;
  CChainNode* Last() const override;
  CChainNode* Next(const CChainNode* n) const override;
  CChainNode* Prev(const CChainNode* n) const override;
  // The inserts also refuse this node and its ancestors, which would close
  // a cycle.
  bool PushFront(CChainNode* n) override;
  bool PushBack(CChainNode* n) override;
  bool InsertBefore(CChainNode* ref, CChainNode* n) override;
  bool InsertAfter(CChainNode* ref, CChainNode* n) override;
  CChainNode* PopFront() override;
  CChainNode* PopBack() override;
  bool Remove(CChainNode* n) override;
  // Destroys the descendants one at a time, each as a leaf, deepest and last
  // first, so no destructor ever sees a half-torn subtree.
  void DeleteAll() override;
  CChainNode* At(std::int32_t index) const override;
  std::int32_t IndexOf(const CChainNode* n) const override;
  void Sort(ChainCompare compare, void* context) override;

  // Descendants at all depths; 0 for a leaf.
  std::int32_t total = 0;
  // Its sentinel's owner is this tree node, so each child's owner is its
  // parent.
  CChainList children;

 private:
  bool IsSelfOrAncestor(const CChainNode* n) const;
  bool CanAdopt(const CChainNode* n) const;
  // Adds sign x (the subtree's size) to this node's and every ancestor's
  // total.
  void AdjustTotals(const CChainNode* child, std::int32_t sign);
  CChainNode* Accounted(CChainNode* removed);
};
