// A forest kept in depth-first pre-order, so that an item's pre-order index
// is its position in one array. Appending below the last branch (what Open
// does for every line) costs O(depth); an insertion in the middle shifts
// the items after it, as their indexes shift too.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

template <class Payload>
class PreorderForest {
 public:
  int Count() const { return static_cast<int>(nodes_.size()); }
  bool Contains(int index) const { return index >= 0 && index < Count(); }

  Payload& operator[](int index) { return nodes_[static_cast<std::size_t>(index)].payload; }
  const Payload& operator[](int index) const { return nodes_[static_cast<std::size_t>(index)].payload; }

  // -1 for a top-level item.
  int Parent(int index) const { return nodes_[static_cast<std::size_t>(index)].parent; }
  bool HasChildren(int index) const { return nodes_[static_cast<std::size_t>(index)].size > 1; }
  // Items in the subtree of `index`, itself included: its descendants are
  // the items after it up to index + SubtreeSize(index).
  int SubtreeSize(int index) const { return nodes_[static_cast<std::size_t>(index)].size; }

  // Appends the payload as the last child of `parent`, or as the last
  // top-level item when `parent` names no item. Returns its index.
  int Append(int parent, Payload payload) {
    if (!Contains(parent)) parent = -1;
    const int position = parent < 0 ? Count() : parent + nodes_[static_cast<std::size_t>(parent)].size;
    for (int a = parent; a >= 0; a = nodes_[static_cast<std::size_t>(a)].parent) {
      ++nodes_[static_cast<std::size_t>(a)].size;
    }
    if (position == Count()) {
      nodes_.push_back(Node{std::move(payload), parent, 1});
    } else {
      nodes_.insert(nodes_.begin() + position, Node{std::move(payload), parent, 1});
      for (std::size_t i = static_cast<std::size_t>(position) + 1; i < nodes_.size(); ++i) {
        if (nodes_[i].parent >= position) ++nodes_[i].parent;
      }
    }
    return position;
  }

  void Clear() { nodes_.clear(); }

 private:
  struct Node {
    Payload payload;
    int parent;
    int size;  // items in the subtree, this one included
  };
  std::vector<Node> nodes_;
};
