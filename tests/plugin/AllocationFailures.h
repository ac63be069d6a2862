#pragma once

// The test program replaces the global allocation functions, so every allocation in the process,
// the loaded module's and the host library's included, can be made to fail as it does when
// memory runs out.

// When positive, the allocation that counts it down to 0 throws std::bad_alloc.
extern long allocationsBeforeFailure;

// Runs `call` with its first allocation failing, then its second, and so on, until a run makes no
// allocation that fails; `check` sees each run's outcome and whether an allocation failed in it.
template <typename Call, typename Check>
void WithEachAllocationFailing(Call call, Check check) {
  for (long failing = 1;; ++failing) {
    allocationsBeforeFailure = failing;
    call();
    const bool failed = allocationsBeforeFailure == 0;
    allocationsBeforeFailure = 0;
    check(failed);
    if (!failed) return;
  }
}
