# The peers are the libraries themselves, called directly.
target_link_libraries(bench_xlsx PRIVATE PkgConfig::QOR_XLSX)
target_include_directories(bench_xlsx PRIVATE ${PROJECT_SOURCE_DIR}/src)
