#pragma once
// The values plain globals held when the program started, for checking that
// a room's reset puts them back. A table built at namespace scope is filled
// during static initialisation, before main, when the constant-initialised
// globals (numbers) already hold their start values; globals made by code
// (strings, objects) are not for this table.
#include <gtest/gtest.h>

#include <vector>

namespace testsupport {

template <class T>
struct StartValue {
  const char* name;
  T* global;
  T value;
};

#define KELP_START_VALUE(g) \
  { #g, &g, g }

// Every global of the table set away from its start value.
template <class T>
void Disturb(const std::vector<StartValue<T>>& table) {
  for (const auto& g : table) *g.global = static_cast<T>(g.value + 7);
}

template <class T>
void ExpectStartValues(const std::vector<StartValue<T>>& table) {
  for (const auto& g : table) EXPECT_EQ(*g.global, g.value) << g.name;
}

}  // namespace testsupport
