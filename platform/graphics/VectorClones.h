#pragma once

// Marks a hot loop function to be built twice, for AVX2 and for the baseline instruction set, the copy
// used being chosen once when the library loads. The build targets the baseline so the program runs on
// any x86-64 processor; the loops over whole canvases run about twice as fast with AVX2.
//
// ThreadSanitizer builds go without: the copy is chosen by a resolver that runs while the library is
// loaded, before the sanitizer's runtime is ready for the instrumented resolver.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__SANITIZE_THREAD__)
#define GRAPHICS_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define GRAPHICS_VECTOR_CLONES
#endif
