#pragma once

namespace zephyrin {

// Code run before on the same thread (vector kernels built for AVX) may
// leave the upper halves of the vector registers in use; until they are
// cleared, the SSE instructions of code built without AVX, as the measures
// and the judges are, each pay for it: a gallery's first search took five
// times as long on a thread of the drawing pool. Clearing costs nothing
// when they are clear already.
inline void ClearUpperVectorState() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    if (__builtin_cpu_supports("avx")) asm volatile("vzeroupper");
#endif
}

}  // namespace zephyrin
