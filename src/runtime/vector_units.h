// The one switch for the vector paths (the readers, the plain runs, the unit
// scan take eight or sixteen units a step with SSE2): built where the processor
// has SSE2 (every x86-64) unless PATHBOOK_SCALAR_ONLY asks for the scalar paths
// alone. Those are what other processors run, so the "scalar" build tests them
// on x86-64 too.
#pragma once

#if !defined(PATHBOOK_SCALAR_ONLY) && (defined(__SSE2__) || defined(_M_X64))
#include <emmintrin.h>
#define PATHBOOK_VECTOR_UNITS 1
#else
#define PATHBOOK_VECTOR_UNITS 0
#endif
