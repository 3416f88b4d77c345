# Windows programs that the end-to-end runs start under Wine (which prove them at work).
set(QBX_WINE_DIR ${CMAKE_SOURCE_DIR}/tests/wine)

add_executable(java-stub ${QBX_WINE_DIR}/javastub.c)
add_executable(rawexec ${QBX_WINE_DIR}/rawexec.c)
add_executable(showcmdline ${QBX_WINE_DIR}/showcmdline.c)
add_executable(vendorinstaller ${QBX_WINE_DIR}/vendorinstaller.c)
foreach(helper java-stub rawexec showcmdline vendorinstaller)
  target_link_options(${helper} PRIVATE -static)
endforeach()

