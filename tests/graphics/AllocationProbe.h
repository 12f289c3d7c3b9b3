#pragma once
#include <cstddef>
#include <functional>

// Runs work and returns the largest single operator-new allocation it made (bytes).
size_t LargestAllocationDuring(const std::function<void()>& work);
