// Entry of the benchmark program; the benchmarks live in the other files.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
