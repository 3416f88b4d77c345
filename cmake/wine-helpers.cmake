# Windows programs that the end-to-end runs start under Wine (which prove them at work).
set(QBX_WINE_DIR ${CMAKE_SOURCE_DIR}/tests/wine)

add_executable(java-stub ${QBX_WINE_DIR}/javastub.c)
add_executable(rawexec ${QBX_WINE_DIR}/rawexec.c)
add_executable(showcmdline ${QBX_WINE_DIR}/showcmdline.c)
add_executable(vendorinstaller ${QBX_WINE_DIR}/vendorinstaller.c)
foreach(helper java-stub rawexec showcmdline vendorinstaller)
  target_link_options(${helper} PRIVATE -static)
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
