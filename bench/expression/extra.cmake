# The peer is muparser. The engine is linked from its own objects, as its tests are, so that this
# benchmark builds whatever state the grid folders are in.
find_package(PkgConfig REQUIRED)
pkg_check_modules(MUPARSER REQUIRED IMPORTED_TARGET muparser)
set_property(TARGET bench_${name} PROPERTY LINK_LIBRARIES
             qor_formula qor_core qor_platform benchmark::benchmark PkgConfig::MUPARSER)
