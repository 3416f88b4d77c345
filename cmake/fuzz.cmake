# libFuzzer targets (clang only), built when QBX_FUZZ is ON. Each runs for 30 seconds under
# ctest in a fresh temporary directory; crashes are kept in fuzz-artifacts of the build tree.
set(QBX_FUZZ_ARTIFACTS ${CMAKE_BINARY_DIR}/fuzz-artifacts)
file(MAKE_DIRECTORY ${QBX_FUZZ_ARTIFACTS})

# qbx_add_fuzzer(name source seed_corpus_dir): the target, linked with qbxcore, and its ctest run.
function(qbx_add_fuzzer name source seeds)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE qbxcore)
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  # New inputs go to a scratch corpus (the first directory), never into the seed corpus.
  add_test(NAME ${name}
           COMMAND sh -c [[work=$(mktemp -d) || exit 1
mkdir "$work/corpus" && cd "$work" || exit 1
"$0" -max_total_time=30 -artifact_prefix="$1/" "$work/corpus" "$2"
status=$?
cd / && rm -rf "$work"
exit $status]]
                   $<TARGET_FILE:${name}> ${QBX_FUZZ_ARTIFACTS} ${seeds})
  set_tests_properties(${name} PROPERTIES TIMEOUT 180)
endfunction()

qbx_add_fuzzer(getparam_fuzz src/control/getparam_fuzz.cpp ${CMAKE_SOURCE_DIR}/tests/fuzz/control)
qbx_add_fuzzer(registryfile_fuzz src/platform/posix/registryfile_fuzz.cpp ${CMAKE_SOURCE_DIR}/tests/fuzz/registry)
