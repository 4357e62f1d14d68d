pathbook_fuzz_target(links_fuzz links_fuzz.cpp)
