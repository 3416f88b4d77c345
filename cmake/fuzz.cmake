# libFuzzer targets (clang only), built when QBX_FUZZ is ON. Each runs for 30 seconds under
# ctest in a fresh temporary directory; crashes are kept in fuzz-artifacts of the build tree.
set(QBX_FUZZ_ARTIFACTS ${CMAKE_BINARY_DIR}/fuzz-artifacts)
file(MAKE_DIRECTORY ${QBX_FUZZ_ARTIFACTS})

add_executable(getparam_fuzz src/control/getparam_fuzz.cpp)
target_link_libraries(getparam_fuzz PRIVATE qbxcore)
target_compile_options(getparam_fuzz PRIVATE -fsanitize=fuzzer)
target_link_options(getparam_fuzz PRIVATE -fsanitize=fuzzer)

# New inputs go to a scratch corpus (the first directory), never into the seed corpus.
add_test(NAME getparam_fuzz
         COMMAND sh -c [[work=$(mktemp -d) || exit 1
mkdir "$work/corpus" && cd "$work" || exit 1
"$0" -max_total_time=30 -artifact_prefix="$1/" "$work/corpus" "$2"
status=$?
cd / && rm -rf "$work"
exit $status]]
                 $<TARGET_FILE:getparam_fuzz> ${QBX_FUZZ_ARTIFACTS} ${CMAKE_SOURCE_DIR}/tests/fuzz/control)
set_tests_properties(getparam_fuzz PROPERTIES TIMEOUT 180)
