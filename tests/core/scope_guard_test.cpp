#include "core/scope_guard.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace calorix {
namespace {

TEST(ScopeGuard, RunsAtTheEndOfItsScope) {
  int runs = 0;
  {
    const ScopeGuard guard([&runs] { ++runs; });
    EXPECT_EQ(runs, 0);
  }
  EXPECT_EQ(runs, 1);
}

TEST(ScopeGuard, RunsWhenAnExceptionLeavesTheScope) {
  bool reset = false;
  EXPECT_THROW(
      {
        const ScopeGuard guard([&reset] { reset = true; });
        throw std::runtime_error("failed");
      },
      std::runtime_error);
  EXPECT_TRUE(reset);
}

}  // namespace
}  // namespace calorix
