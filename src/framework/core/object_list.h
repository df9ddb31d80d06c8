#pragma once
// The one ordered list type for every object list of the game. An enumeration
// continues correctly when the element it stands on, or any other, is removed
// meanwhile: a removed node keeps its forward link, so a walker standing on it
// still finds the rest of the list.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace kelp {

template <class T>
class ObjectList {
  struct Node {
    std::shared_ptr<T> value;
    std::shared_ptr<Node> next;
    Node* prev = nullptr;
    ObjectList* owner = nullptr;  // null once removed
    // A walker standing on a removed node keeps the chain of nodes removed
    // after it alive; release that chain in a loop, not one call deep per node.
    ~Node() {
      std::shared_ptr<Node> n = std::move(next);
      while (n && n.use_count() == 1) {
        std::shared_ptr<Node> after = std::move(n->next);
        n = std::move(after);
      }
    }
  };

 public:
  // A handle to one element's place in the list (what AddLast returns).
  // It does not keep the place alive: an element that keeps its own link
  // would otherwise keep itself alive through its node after removal.
  class Link {
   public:
    Link() = default;
    // The element; null once it has left the list (and no walker stands on it).
    std::shared_ptr<T> Value() const {
      auto n = node_.lock();
      return n ? n->value : nullptr;
    }
    bool InList() const {
      auto n = node_.lock();
      return n && n->owner;
    }
    // Removing twice, or after the list was cleared, does nothing.
    void Remove() {
      if (auto n = node_.lock(); n && n->owner) n->owner->Unlink(n.get());
    }

   private:
    friend class ObjectList;
    explicit Link(const std::shared_ptr<Node>& n) : node_(n) {}
    std::weak_ptr<Node> node_;
  };

  class iterator {
   public:
    using value_type = std::shared_ptr<T>;
    iterator() = default;
    const std::shared_ptr<T>& operator*() const { return node_->value; }
    T* operator->() const { return node_->value.get(); }
    iterator& operator++() { node_ = Next(node_); return *this; }
    bool operator==(const iterator& o) const { return node_ == o.node_; }
    Link link() const { return Link(node_); }

   private:
    friend class ObjectList;
    explicit iterator(std::shared_ptr<Node> n) : node_(std::move(n)) {}
    static std::shared_ptr<Node> Next(const std::shared_ptr<Node>& n) {
      auto p = n->next;
      while (p && !p->owner) p = p->next;
      return p;
    }
    std::shared_ptr<Node> node_;
  };

  ObjectList() = default;
  ObjectList(const ObjectList&) = delete;
  ObjectList& operator=(const ObjectList&) = delete;
  ~ObjectList() { Clear(); }

  Link AddLast(std::shared_ptr<T> v) { return InsertAfter(tail_, std::move(v)); }
  Link AddFirst(std::shared_ptr<T> v) { return InsertAfter(nullptr, std::move(v)); }
  // Inserts before the element of `before`; at the end when it is not in this list.
  Link InsertBefore(const Link& before, std::shared_ptr<T> v) {
    auto b = before.node_.lock();
    if (!b || b->owner != this) return AddLast(std::move(v));
    return InsertAfter(b->prev, std::move(v));
  }

  // Removes the first element holding `v`; false when there is none.
  bool Remove(const T* v) {
    for (Node* n = head_.get(); n; n = n->next.get())
      if (n->value.get() == v) { Unlink(n); return true; }
    return false;
  }
  bool Remove(const std::shared_ptr<T>& v) { return Remove(v.get()); }
  bool Contains(const T* v) const {
    for (Node* n = head_.get(); n; n = n->next.get())
      if (n->value.get() == v) return true;
    return false;
  }

  // The place of the first element for which `pred` holds (an empty link when
  // none does). A plain walk for hot paths; `pred` must not change the list.
  template <class Pred>
  Link FindFirst(Pred pred) const {
    for (Node* n = head_.get(); n; n = n->next.get())
      if (pred(*n->value)) return Link(n->prev ? n->prev->next : head_);
    return Link();
  }

  std::shared_ptr<T> First() const { return head_ ? head_->value : nullptr; }
  std::shared_ptr<T> Last() const { return tail_ ? tail_->value : nullptr; }
  std::shared_ptr<T> RemoveFirst() { auto v = First(); if (head_) Unlink(head_.get()); return v; }
  std::shared_ptr<T> RemoveLast() { auto v = Last(); if (tail_) Unlink(tail_); return v; }
  std::shared_ptr<T> ValueAt(size_t i) const {
    for (Node* n = head_.get(); n; n = n->next.get())
      if (i-- == 0) return n->value;
    return nullptr;
  }

  size_t Count() const { return count_; }
  // Grows with every insertion and removal: one who keeps a copy of the
  // list's order knows it still holds while this stays the same.
  uint64_t Changes() const { return changes_; }
  bool IsEmpty() const { return count_ == 0; }

  void Clear() {
    // Iterative, so a long list does not recurse through its node chain.
    while (head_) Unlink(head_.get());
  }

  // Removes every element for which `pred` holds.
  template <class Pred>
  void RemoveIf(Pred pred) {
    for (auto it = begin(); it != end(); ++it)
      if (pred(*it)) it.link().Remove();
  }

  iterator begin() const { return iterator(head_); }
  iterator end() const { return iterator(); }

 private:
  Link InsertAfter(Node* after, std::shared_ptr<T> v) {
    auto n = std::make_shared<Node>();
    n->value = std::move(v);
    n->owner = this;
    n->prev = after;
    if (after) {
      n->next = after->next;
      after->next = n;
    } else {
      n->next = head_;
      head_ = n;
    }
    if (n->next) n->next->prev = n.get(); else tail_ = n.get();
    ++count_;
    ++changes_;
    return Link(n);
  }

  void Unlink(Node* n) {
    std::shared_ptr<Node> keep = n->prev ? n->prev->next : head_;  // n itself
    if (n->prev) n->prev->next = n->next; else head_ = n->next;
    if (n->next) n->next->prev = n->prev; else tail_ = n->prev;
    n->owner = nullptr;
    n->prev = nullptr;
    // n keeps `next` so a walker standing on it can go on; the chain it keeps
    // alive is released when the walker moves past.
    --count_;
    ++changes_;
  }

  std::shared_ptr<Node> head_;
  Node* tail_ = nullptr;
  size_t count_ = 0;
  uint64_t changes_ = 0;
};

}  // namespace kelp
