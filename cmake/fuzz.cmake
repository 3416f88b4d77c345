# libFuzzer targets (clang only), built when QBX_FUZZ is ON. Each runs for QBX_FUZZ_TEST_SECONDS
# (or QBX_FUZZ_SECONDS from the environment: `make fuzz`) under ctest in a fresh temporary
# directory (its current directory: a target writes only there; in memory, /dev/shm, where there
# is one, since some targets write a file for each input); it ends with a line of its figures, and
# crashes are kept in fuzz-artifacts of the build tree.
set(QBX_FUZZ_ARTIFACTS ${CMAKE_BINARY_DIR}/fuzz-artifacts)
set(QBX_FUZZ_TEST_SECONDS 30 CACHE STRING "Seconds each fuzz target runs under ctest")
file(MAKE_DIRECTORY ${QBX_FUZZ_ARTIFACTS})

# qbx_add_fuzzer(name source seed_corpus_dir): the target, linked with qbxcore, and its ctest run.
function(qbx_add_fuzzer name source seeds)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE qbxcore)
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  # New inputs go to a scratch corpus (the first directory), never into the seed corpus.
  add_test(NAME ${name}
           COMMAND sh -c [[work=$(mktemp -d -p /dev/shm qbxfuzz.XXXXXX 2>/dev/null || mktemp -d) || exit 1
mkdir "$work/corpus" && cd "$work" || exit 1
"$0" -max_total_time=${QBX_FUZZ_SECONDS:-$3} -print_final_stats=1 -artifact_prefix="$1/" "$work/corpus" "$2" > log 2>&1
status=$?
[ $status -eq 0 ] || tail -n 40 log
stat() { sed -n "s/^stat::$1: *//p" log | tail -n 1; }
echo "fuzz $(basename "$0"): $(stat number_of_executed_units) executions, corpus $(grep -o 'corp: [^ ]*' log | tail -n 1 | cut -c7-), peak memory $(stat peak_rss_mb) MB, exit $status"
cd / && rm -rf "$work"
exit $status]]
                   $<TARGET_FILE:${name}> ${QBX_FUZZ_ARTIFACTS} ${seeds} ${QBX_FUZZ_TEST_SECONDS})
  set_tests_properties(${name} PROPERTIES LABELS fuzz)
endfunction()

set(QBX_SEEDS ${CMAKE_SOURCE_DIR}/tests/fuzz)
qbx_add_fuzzer(getparam_fuzz src/control/getparam_fuzz.cpp ${QBX_SEEDS}/control)
qbx_add_fuzzer(commandlines_fuzz src/launcher/commandlines_fuzz.cpp ${QBX_SEEDS}/commandlines)
qbx_add_fuzzer(textfiles_fuzz src/launcher/textfiles_fuzz.cpp ${QBX_SEEDS}/textfiles)
qbx_add_fuzzer(jvmversion_fuzz src/discovery/jvmversion_fuzz.cpp ${QBX_SEEDS}/jvmversion)
qbx_add_fuzzer(extjvmsearch_fuzz src/discovery/extjvmsearch_fuzz.cpp ${QBX_SEEDS}/extjvmsearch)
