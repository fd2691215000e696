# The peer is muparser. The engine's folder also holds the cell formulas, so the whole library
# is linked.
find_package(PkgConfig REQUIRED)
pkg_check_modules(MUPARSER REQUIRED IMPORTED_TARGET muparser)
set_property(TARGET bench_${name} PROPERTY LINK_LIBRARIES
             qorgrid benchmark::benchmark PkgConfig::MUPARSER)
