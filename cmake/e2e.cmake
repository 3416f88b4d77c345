# End-to-end runs of the real program: the Linux build natively, installer.exe under Wine.
if(NOT WIN32)
  foreach(scenario quiet samedir nohandshake properties nojvm bundle-missing bundle-predefined
                   bundle-appdir bundle-reuse bundle-empty vendor retry)
    add_test(NAME e2e.native.${scenario}
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/native.sh ${CMAKE_BINARY_DIR} ${scenario})
    set_tests_properties(e2e.native.${scenario} PROPERTIES TIMEOUT 120)
  endforeach()
else()
  # They share the prefix's registry: one at a time.
  foreach(scenario quiet samedir nohandshake properties nojvm extended-off extended dialog
                   errorbox bundle-missing bundle-predefined bundle-appdir bundle-reuse bundle-empty vendor nsis retry
                   planted)
    add_test(NAME e2e.wine.${scenario}
             COMMAND bash ${CMAKE_SOURCE_DIR}/tests/e2e/wine.sh ${CMAKE_BINARY_DIR} ${scenario})
    set_tests_properties(e2e.wine.${scenario} PROPERTIES TIMEOUT 300 RESOURCE_LOCK wine_registry)
  endforeach()
endif()
