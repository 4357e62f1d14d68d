# The notebook's index on the linked notebook corpus (bench/notebook_peers.py
# makes it and runs the tool beside ripgrep).
pathbook_benchmark(notebook_bench notebook_bench.cpp)
