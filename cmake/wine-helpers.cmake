# Windows programs that the unit tests (next to unit_tests.exe) and the end-to-end runs start under
# Wine, which prove them at work.
set(QBX_WINE_DIR ${CMAKE_SOURCE_DIR}/tests/wine)
foreach(helper java-stub rawexec showcmdline argsrecorder jvmexpander)
  add_executable(${helper} ${QBX_WINE_DIR}/${helper}.c)
  target_link_options(${helper} PRIVATE -static)
  add_dependencies(unit_tests ${helper})
endforeach()
target_link_options(java-stub PRIVATE -municode) # wmain: the arguments in UTF-16

# A vendor's installer built as vendors build theirs, with NSIS (Debian's makensis).
find_program(QBX_MAKENSIS makensis)
if(QBX_MAKENSIS)
  add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/nsisvendor.exe
    COMMAND ${QBX_MAKENSIS} -V2 -DJAVA=$<TARGET_FILE:java-stub> -DOUT=${CMAKE_BINARY_DIR}/nsisvendor.exe
            ${QBX_WINE_DIR}/nsisvendor.nsi
    DEPENDS ${QBX_WINE_DIR}/nsisvendor.nsi java-stub
    COMMENT "Building the NSIS vendor installer"
    VERBATIM)
  add_custom_target(nsisvendor ALL DEPENDS ${CMAKE_BINARY_DIR}/nsisvendor.exe)
else()
  message(WARNING "No makensis (install nsis): e2e.wine.nsis cannot run")
endif()
