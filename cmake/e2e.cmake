# End-to-end runs of the real program: the Linux build natively, installer.exe under Wine.
if(NOT WIN32)
  foreach(scenario found markers nohandshake tracing quiet properties nojvm french)
    add_test(NAME e2e.native.${scenario}
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/native.sh ${CMAKE_BINARY_DIR} ${scenario})
    set_tests_properties(e2e.native.${scenario} PROPERTIES TIMEOUT 120)
  endforeach()
endif()
