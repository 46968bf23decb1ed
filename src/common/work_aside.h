#pragma once

#include <chrono>
#include <functional>

namespace zolt {

// Runs work on a thread of its own and, until it ends, calls meanwhile on
// this thread every `every` (so that a window keeps painting); work that ends
// sooner never calls it. What work throws is thrown here. What meanwhile
// throws is thrown instead, but only once the work has ended, since the work
// may be using what the caller holds; meanwhile is not called again.
void WorkAside(const std::function<void()> &work, const std::function<void()> &meanwhile,
               std::chrono::milliseconds every = std::chrono::milliseconds(20));

}  // namespace zolt
