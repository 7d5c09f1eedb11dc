#pragma once

// Pixel values computed in floating point come out the same in every build only when each operation is
// rounded to its type (SSE2 arithmetic; no x87 excess precision). The compile flags give that; this stops a
// build that lost them.

#include <cfloat>

static_assert(FLT_EVAL_METHOD == 0, "floating point must be evaluated in each type's own precision");
