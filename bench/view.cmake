pathbook_benchmark(view_bench view_bench.cpp)
pathbook_benchmark(caret_bench caret_bench.cpp)
