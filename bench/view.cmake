pathbook_benchmark(view_bench view_bench.cpp)
