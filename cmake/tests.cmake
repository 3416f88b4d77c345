# Unit tests: one GoogleTest binary per build, run natively or under Wine.
enable_testing()
if(WIN32)
  # Debian ships GoogleTest as sources: build them with the cross compiler.
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  set(QBX_GTEST_LIBS gtest gtest_main)
else()
  find_package(GTest REQUIRED)
  set(QBX_GTEST_LIBS GTest::gtest GTest::gtest_main)
endif()

add_executable(unit_tests ${QBX_TEST_SOURCES} ${QBX_BACKEND_TESTS})
target_link_libraries(unit_tests PRIVATE qbxchecks qbxcore ${QBX_GTEST_LIBS})
target_compile_definitions(unit_tests PRIVATE QBX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
if(WIN32)
  # The window tests load the status dialog and the icon from the test program itself.
  target_sources(unit_tests PRIVATE ${CMAKE_SOURCE_DIR}/res/dialog.rc ${CMAKE_SOURCE_DIR}/tests/wine/unittests.rc)
  set_source_files_properties(tests/wine/unittests.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/res/installer.manifest")
  target_link_options(unit_tests PRIVATE -static)
  # The resource test reads the manifest of the installer.exe beside it.
  add_dependencies(unit_tests installer)
endif()

include(GoogleTest)
if(CMAKE_CROSSCOMPILING)
  # Listed at test time, not build time: building needs no Wine, and the first listing may
  # have to create the Wine prefix first.
  # Nobody is there to close an error box of a unit test: it goes to standard error instead.
  gtest_discover_tests(unit_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 600
                       PROPERTIES TIMEOUT 300 ENVIRONMENT QBX_MESSAGE_BOXES=stderr)
  include(${CMAKE_CURRENT_LIST_DIR}/wine-helpers.cmake)
else()
  gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 120 PROPERTIES TIMEOUT 300)
endif()
