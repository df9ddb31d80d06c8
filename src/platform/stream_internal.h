#pragma once
// Shared between platform files only: file streams over C files the platform
// opened itself (the atomic save's unique temporary).
#include <cstdio>

#include "platform/stream.h"

namespace platform {

// Takes over `f`; the stream closes it. Null for a null file.
StreamRef AdoptFile(std::FILE* f);

}  // namespace platform
