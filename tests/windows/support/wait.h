// Waiting for a condition in another process: poll, never sleep-then-check.
#pragma once
#include <functional>

namespace rig {

constexpr int kDefaultWaitMs = 10000;
constexpr int kPollMs = 25;

// Polls `condition` every kPollMs until it holds or `timeoutMs` has passed; true when it held.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = kDefaultWaitMs);

}  // namespace rig
