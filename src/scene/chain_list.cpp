#include "scene/chain_list.h"

// ---------------------------------------------------------------- CChainNode

CChainNode::~CChainNode() {
  if (next == this) return;
  if (auto* list = dynamic_cast<IChainList*>(owner);
      list && list->Remove(this)) {
    return;
  }
  Unlink();
}

void CChainNode::SpliceAfter(CChainNode* p) {
  prev = p;
  next = p->next;
  p->next->prev = this;
  p->next = this;
}

void CChainNode::SpliceBefore(CChainNode* p) { SpliceAfter(p->prev); }

void CChainNode::Detach() {
  prev->next = next;
  next->prev = prev;
  next = prev = this;
}

void CChainNode::Unlink() {
  owner = nullptr;
  Detach();
}

// ---------------------------------------------------------------- CChainList

CChainList::CChainList() { owner = this; }

CChainList::~CChainList() { DeleteAll(); }

std::int32_t CChainList::Count() const { return count; }

bool CChainList::IsEmpty() const { return count == 0; }

bool CChainList::Contains(const CChainNode* n) const { return IsMember(n); }

bool CChainList::IsMember(const CChainNode* n) const {
  return n != nullptr && n != this && n->owner == owner;
}

CChainNode* CChainList::First() const { return next == this ? nullptr : next; }

CChainNode* CChainList::Last() const { return prev == this ? nullptr : prev; }

CChainNode* CChainList::Next(const CChainNode* n) const {
  if (n == nullptr || n->next == this) return nullptr;
  return n->next;
}

CChainNode* CChainList::Prev(const CChainNode* n) const {
  if (n == nullptr || n->prev == this) return nullptr;
  return n->prev;
}

void CChainList::Insert(CChainNode* n, CChainNode* after) {
  n->owner = owner;
  n->SpliceAfter(after);
  ++count;
}

bool CChainList::PushFront(CChainNode* n) {
  if (n == nullptr || !n->IsFree()) return false;
  Insert(n, this);
  return true;
}

bool CChainList::PushBack(CChainNode* n) {
  if (n == nullptr || !n->IsFree()) return false;
  Insert(n, prev);
  return true;
}

bool CChainList::InsertBefore(CChainNode* ref, CChainNode* n) {
  if (!IsMember(ref) || n == nullptr || !n->IsFree()) return false;
  Insert(n, ref->prev);
  return true;
}

bool CChainList::InsertAfter(CChainNode* ref, CChainNode* n) {
  if (!IsMember(ref) || n == nullptr || !n->IsFree()) return false;
  Insert(n, ref);
  return true;
}

CChainNode* CChainList::Take(CChainNode* n) {
  n->Unlink();
  --count;
  return n;
}

CChainNode* CChainList::PopFront() {
  if (count == 0 || next == this) return nullptr;
  return Take(next);
}

CChainNode* CChainList::PopBack() {
  if (count == 0 || prev == this) return nullptr;
  return Take(prev);
}

bool CChainList::Remove(CChainNode* n) {
  if (!IsMember(n)) return false;
  Take(n);
  return true;
}

void CChainList::DeleteAll() {
  while (CChainNode* n = PopFront()) delete n;
}

CChainNode* CChainList::At(std::int32_t index) const {
  if (index < 0 || index >= count) return nullptr;
  CChainNode* n = next;
  for (std::int32_t i = 0; i < index && n != this; ++i) n = n->next;
  return n == this ? nullptr : n;
}

std::int32_t CChainList::IndexOf(const CChainNode* n) const {
  std::int32_t index = 0;
  for (const CChainNode* p = next; p != this; p = p->next, ++index) {
    if (p == n) return index;
  }
  return -1;
}

// An exchange sort: the node at each position is swapped with every later
// node that belongs before it. Quadratic, but the lists sorted here are a
// handful of scene objects, and it needs no storage.
void CChainList::Sort(ChainCompare compare, void* context) {
  if (compare == nullptr) return;
  for (CChainNode* a = First(); a != nullptr; a = Next(a)) {
    CChainNode* b = Next(a);
    while (b != nullptr) {
      if (compare(a, b, context) < 1) {
        b = Next(b);
        continue;
      }
      CChainNode* beforeB = b->prev;
      b->Detach();
      b->SpliceBefore(a);
      if (a != beforeB) {
        a->Detach();
        a->SpliceAfter(beforeB);
      }
      CChainNode* afterA = Next(a);
      a = b;
      b = afterA;
    }
  }
}

// ----------------------------------------------------------------- CTreeNode

CTreeNode::CTreeNode() { children.owner = this; }

CTreeNode::~CTreeNode() { DeleteAll(); }

std::int32_t CTreeNode::Count() const { return children.Count(); }

bool CTreeNode::IsEmpty() const { return total == 0; }

bool CTreeNode::Contains(const CChainNode* n) const {
  return n != nullptr && n->owner == this;
}

CChainNode* CTreeNode::First() const { return children.First(); }

CChainNode* CTreeNode::Last() const { return children.Last(); }

CChainNode* CTreeNode::Next(const CChainNode* n) const {
  return children.Next(n);
}

CChainNode* CTreeNode::Prev(const CChainNode* n) const {
  return children.Prev(n);
}

bool CTreeNode::IsSelfOrAncestor(const CChainNode* n) const {
  for (const CTreeNode* t = this; t != nullptr;
       t = dynamic_cast<const CTreeNode*>(t->owner)) {
    if (t == n) return true;
  }
  return false;
}

bool CTreeNode::CanAdopt(const CChainNode* n) const {
  return n != nullptr && !IsSelfOrAncestor(n);
}

void CTreeNode::AdjustTotals(const CChainNode* child, std::int32_t sign) {
  const auto* subtree = dynamic_cast<const CTreeNode*>(child);
  const std::int32_t k = sign * (subtree ? subtree->total + 1 : 1);
  for (CTreeNode* t = this; t != nullptr;
       t = dynamic_cast<CTreeNode*>(t->owner)) {
    t->total += k;
  }
}

bool CTreeNode::PushFront(CChainNode* n) {
  if (!CanAdopt(n) || !children.PushFront(n)) return false;
  AdjustTotals(n, +1);
  return true;
}

bool CTreeNode::PushBack(CChainNode* n) {
  if (!CanAdopt(n) || !children.PushBack(n)) return false;
  AdjustTotals(n, +1);
  return true;
}

bool CTreeNode::InsertBefore(CChainNode* ref, CChainNode* n) {
  if (!CanAdopt(n) || !children.InsertBefore(ref, n)) return false;
  AdjustTotals(n, +1);
  return true;
}

bool CTreeNode::InsertAfter(CChainNode* ref, CChainNode* n) {
  if (!CanAdopt(n) || !children.InsertAfter(ref, n)) return false;
  AdjustTotals(n, +1);
  return true;
}

CChainNode* CTreeNode::Accounted(CChainNode* removed) {
  if (removed != nullptr) AdjustTotals(removed, -1);
  return removed;
}

CChainNode* CTreeNode::PopFront() { return Accounted(children.PopFront()); }

CChainNode* CTreeNode::PopBack() { return Accounted(children.PopBack()); }

bool CTreeNode::Remove(CChainNode* n) {
  if (!Contains(n) || !children.Remove(n)) return false;
  AdjustTotals(n, -1);
  return true;
}

void CTreeNode::DeleteAll() {
  while (CChainNode* last = Last()) {
    CTreeNode* parent = this;
    for (auto* subtree = dynamic_cast<CTreeNode*>(last);
         subtree != nullptr && subtree->Last() != nullptr;
         subtree = dynamic_cast<CTreeNode*>(last)) {
      parent = subtree;
      last = subtree->Last();
    }
    parent->Remove(last);
    delete last;
  }
}

CChainNode* CTreeNode::At(std::int32_t index) const {
  return children.At(index);
}

std::int32_t CTreeNode::IndexOf(const CChainNode* n) const {
  return children.IndexOf(n);
}

void CTreeNode::Sort(ChainCompare compare, void* context) {
  children.Sort(compare, context);
}
