#pragma once
// The run-time error an action raises; the running test fails when it raises
// none (and gets an empty error back).
#include <gtest/gtest.h>

#include <functional>

#include "ui/runtime_error.h"

inline RuntimeError RaisedBy(const std::function<void()>& action) {
  try {
    action();
  } catch (const RuntimeError& e) {
    return e;
  }
  ADD_FAILURE() << "nothing raised";
  return RuntimeError(0, L"", L"");
}
