# Search benchmarks. The RE2 peer is a separate program (bench only), built
# when Debian's libre2-dev is installed.
pathbook_benchmark(search_bench search_bench.cpp)

find_package(PkgConfig QUIET)
if(PkgConfig_FOUND)
  pkg_check_modules(PATHBOOK_RE2 QUIET IMPORTED_TARGET re2)
  if(PATHBOOK_RE2_FOUND)
    add_executable(search_re2_peer search_re2_peer.cpp)
    target_link_libraries(search_re2_peer PRIVATE PkgConfig::PATHBOOK_RE2)
  endif()
endif()
