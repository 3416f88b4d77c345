# End-to-end runs of the real program: the Linux build natively, installer.exe under Wine.
if(NOT WIN32)
  foreach(scenario quiet samedir nohandshake properties nojvm bundle-predefined
                   bundle-appdir bundle-reuse bundle-empty bundle-damaged vendor retry)
    add_test(NAME e2e.native.${scenario}
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/native.sh ${CMAKE_BINARY_DIR} ${scenario})
    set_tests_properties(e2e.native.${scenario} PROPERTIES TIMEOUT 120)
  endforeach()
  # The example payload as the build lays it out passes the packager's check.
  add_test(NAME qbxcheck.native.payload COMMAND qbxcheck ${QBX_PAYLOAD_DIR})
else()
  # They share the prefix's registry: one at a time.
  # properties and nojvm are proven by cyrillic and extended-off, which run them with more.
  foreach(scenario quiet samedir nohandshake extended-off dialog errorbox wow32 user path bundle-predefined
                   bundle-appdir bundle-reuse bundle-empty bundle-damaged vendor nsis retry planted cyrillic chinese
                   lost-characters qbxcheck setup)
    add_test(NAME e2e.wine.${scenario}
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/wine.sh ${CMAKE_BINARY_DIR} ${scenario})
    set_tests_properties(e2e.wine.${scenario} PROPERTIES TIMEOUT 300 RESOURCE_LOCK wine_registry)
  endforeach()
  # DLLs of the import table load before the program's first line, from its own folder (a
  # download folder) first, unless Windows knows them: only known DLLs may be imported.
  add_test(NAME installer.imports.known_dlls_only
           COMMAND bash -c "objdump=${CMAKE_OBJDUMP}; dlls=$($objdump -p \"$0\" | sed -n 's/.*DLL Name: //p' | tr A-Z a-z)
                            [ -n \"$dlls\" ] || exit 1; for dll in $dlls; do case $dll in
                            advapi32.dll|gdi32.dll|kernel32.dll|msvcrt.dll|shell32.dll|user32.dll|ole32.dll|comdlg32.dll) ;;
                            *) echo \"not a known DLL: $dll\"; exit 1;; esac; done" $<TARGET_FILE:installer>)
endif()
