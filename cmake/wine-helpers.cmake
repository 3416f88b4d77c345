# Windows programs that the tests run under Wine, and the tests that prove them.
set(QBX_WINE_DIR ${CMAKE_SOURCE_DIR}/tests/wine)

add_executable(java-stub ${QBX_WINE_DIR}/javastub.c)
add_executable(rawexec ${QBX_WINE_DIR}/rawexec.c)
add_executable(showcmdline ${QBX_WINE_DIR}/showcmdline.c)
add_executable(vendorinstaller ${QBX_WINE_DIR}/vendorinstaller.c)
foreach(helper java-stub rawexec showcmdline vendorinstaller)
  target_link_options(${helper} PRIVATE -static)
endforeach()

foreach(check java_stub rawexec)
  add_test(NAME wine_${check} COMMAND ${QBX_WINE_DIR}/helpers-test.sh ${check} ${CMAKE_BINARY_DIR})
  set_tests_properties(wine_${check} PROPERTIES TIMEOUT 300)
endforeach()
