#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/offset/internal/Curve.h"

namespace geometry::offsetting {

// Boxes packed in their order into a tree of nodes of kNodeSize, each node holding the box round
// its children, up to one root: a search visits only the nodes whose boxes may hold what it seeks.
// The boxes of a contour's curves come in the order the contour runs, each beside the one before
// it, so a node's children lie together. Built in one pass, O(n): no sort.
//
// The searches are joins, of the index with itself or with a batch of queries packed alike, that
// walk both trees at once and open two nodes together only where their boxes meet: a node meets
// only the few beside it, so on a contour whose curves are not all piled in one place the joins
// take time in proportion to the boxes, not a walk from the root for each.
class BoxIndex {
 public:
  // Queries are joined in batches of this many, each packed into its own tree: small enough to
  // stay in cache, large enough that the walk down from the index's root, once for each batch,
  // costs next to nothing for each query.
  static constexpr size_t kBatch = 4096;

  explicit BoxIndex(std::vector<Box> boxes);

  // Visits each pair of boxes that overlap once, as visit(first, second) with first < second.
  template <typename Visit>
  void VisitOverlappingPairs(Visit visit) const;

  // Visits each pair of a box of `queries` and a box of this index that `near(query box, box)`
  // accepts, as visit(query, box). `near` is also asked of the nodes' boxes, so it must accept any
  // two boxes round two it accepts. `visit` returns true once its query needs no more boxes: the
  // nodes whose queries all need none are opened no more.
  template <typename Near, typename Visit>
  void Join(const BoxIndex& queries, Near near, Visit visit) const;

 private:
  static constexpr size_t kNodeSize = 16;

  // The children of a node, in the level below it.
  struct Children {
    uint32_t first;
    uint32_t last;
  };
  Children ChildrenOf(size_t level, size_t node) const {
    const size_t first = node * kNodeSize;
    return {static_cast<uint32_t>(first),
            static_cast<uint32_t>(std::min(first + kNodeSize, m_Levels[level - 1].size()))};
  }
  size_t Top() const { return m_Levels.size() - 1; }

  // Of each node of a batch of queries, how many of its children still need boxes; a query needs
  // them until it says it needs no more.
  class Needs {
   public:
    explicit Needs(const BoxIndex& queries);
    bool Done(size_t level, size_t node) const { return m_Left[level][node] == 0; }
    void Finish(size_t query);

   private:
    std::vector<std::vector<uint8_t>> m_Left;
  };

  std::vector<std::vector<Box>> m_Levels;  // the boxes, then each level of nodes above them
};

template <typename Visit>
void BoxIndex::VisitOverlappingPairs(Visit visit) const {
  if (m_Levels.empty()) return;
  // Two nodes of a level, `first` <= `second`, whose boxes overlap. Depth first, so that only the
  // pairs of one node's children wait on each level.
  struct Pair {
    uint32_t level;
    uint32_t first;
    uint32_t second;
  };
  std::vector<Pair> pending{{static_cast<uint32_t>(Top()), 0, 0}};
  std::vector<uint32_t> firsts, seconds;
  const auto meet = [&](uint32_t level, uint32_t first, uint32_t second) {
    if (level == 0) {
      visit(first, second);
    } else {
      pending.push_back({level, first, second});
    }
  };
  while (!pending.empty()) {
    const Pair pair = pending.back();
    pending.pop_back();
    if (pair.level == 0) continue;  // a box with itself
    const uint32_t below = pair.level - 1;
    const std::vector<Box>& boxes = m_Levels[below];
    const Children a = ChildrenOf(pair.level, pair.first);
    if (pair.first == pair.second) {
      for (uint32_t first = a.first; first < a.last; ++first) {
        if (below > 0) pending.push_back({below, first, first});
        for (uint32_t second = first + 1; second < a.last; ++second)
          if (boxes[first].Overlaps(boxes[second])) meet(below, first, second);
      }
      continue;
    }
    // Of each node's children only those that reach the other node can meet its children.
    const Children b = ChildrenOf(pair.level, pair.second);
    const std::vector<Box>& nodes = m_Levels[pair.level];
    firsts.clear();
    seconds.clear();
    for (uint32_t first = a.first; first < a.last; ++first)
      if (boxes[first].Overlaps(nodes[pair.second])) firsts.push_back(first);
    for (uint32_t second = b.first; second < b.last; ++second)
      if (boxes[second].Overlaps(nodes[pair.first])) seconds.push_back(second);
    for (uint32_t first : firsts)
      for (uint32_t second : seconds)
        if (boxes[first].Overlaps(boxes[second])) meet(below, first, second);
  }
}

template <typename Near, typename Visit>
void BoxIndex::Join(const BoxIndex& queries, Near near, Visit visit) const {
  if (m_Levels.empty() || queries.m_Levels.empty()) return;
  // A node of the queries' tree and one of this, whose boxes `near` accepts. The larger of the two
  // opens; both, where they stand on the same level.
  struct Pair {
    uint32_t queryLevel;
    uint32_t query;
    uint32_t level;
    uint32_t node;
  };
  Needs needs(queries);
  std::vector<Pair> pending;
  std::vector<uint32_t> openedQueries, openedNodes;
  const auto meet = [&](uint32_t queryLevel, uint32_t query, uint32_t level, uint32_t node) {
    if (queryLevel == 0 && level == 0) {
      if (!needs.Done(0, query) && visit(query, node)) needs.Finish(query);
    } else {
      pending.push_back({queryLevel, query, level, node});
    }
  };
  const Box& queryRoot = queries.m_Levels.back().front();
  if (near(queryRoot, m_Levels.back().front())) meet(static_cast<uint32_t>(queries.Top()), 0, Top(), 0);
  while (!pending.empty()) {
    const Pair pair = pending.back();
    pending.pop_back();
    if (needs.Done(pair.queryLevel, pair.query)) continue;
    const Box& queryBox = queries.m_Levels[pair.queryLevel][pair.query];
    const Box& nodeBox = m_Levels[pair.level][pair.node];
    const bool openQuery = pair.queryLevel > 0 && pair.queryLevel >= pair.level;
    const bool openNode = pair.level > 0 && pair.level >= pair.queryLevel;
    const uint32_t queryLevel = openQuery ? pair.queryLevel - 1 : pair.queryLevel;
    const uint32_t level = openNode ? pair.level - 1 : pair.level;
    const std::vector<Box>& queryBoxes = queries.m_Levels[queryLevel];
    const std::vector<Box>& boxes = m_Levels[level];
    openedQueries.assign(1, pair.query);
    if (openQuery) {
      openedQueries.clear();
      const Children children = queries.ChildrenOf(pair.queryLevel, pair.query);
      for (uint32_t query = children.first; query < children.last; ++query)
        if (!needs.Done(queryLevel, query) && near(queryBoxes[query], nodeBox)) openedQueries.push_back(query);
    }
    openedNodes.assign(1, pair.node);
    if (openNode) {
      openedNodes.clear();
      const Children children = ChildrenOf(pair.level, pair.node);
      for (uint32_t node = children.first; node < children.last; ++node)
        if (near(queryBox, boxes[node])) openedNodes.push_back(node);
    }
    // Where only one node opened, its children were just asked against the other.
    for (uint32_t query : openedQueries)
      for (uint32_t node : openedNodes)
        if (!(openQuery && openNode) || near(queryBoxes[query], boxes[node])) meet(queryLevel, query, level, node);
  }
}

}  // namespace geometry::offsetting
