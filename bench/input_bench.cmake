add_executable(bench_input bench_input.cpp)
set_target_properties(bench_input PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
target_link_libraries(bench_input PRIVATE kx20_app)
kx20_strict(bench_input)
