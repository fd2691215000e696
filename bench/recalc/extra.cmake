# The peer is ixion (libixion-dev): its model context and its full calculation.
find_package(PkgConfig REQUIRED)
pkg_check_modules(IXION REQUIRED IMPORTED_TARGET libixion-0.17)
target_link_libraries(bench_${name} PRIVATE PkgConfig::IXION)
