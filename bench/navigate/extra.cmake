# Keys are sent the way a test sends them: through QTest.
find_package(Qt6 REQUIRED COMPONENTS Test)
target_link_libraries(bench_${name} PRIVATE Qt6::Test)
