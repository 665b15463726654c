#pragma once
// Clean-up that is not a handle (a flag to reset, a memory block to unlock): the
// function given runs once, when the scope is left by any path.
#include <utility>

namespace qm {

template <typename F> class ScopeExit {
  public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ~ScopeExit() { f_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

  private:
    F f_;
};

} // namespace qm
