# The example wizard, packed with the example payload's manifest into <build>/payload/install.jar.
if(Java_JAVAC_EXECUTABLE AND Java_JAR_EXECUTABLE AND QBX_TESTJVM_RELEASE)
  set(wizard_source ${CMAKE_SOURCE_DIR}/examples/wizard/ExampleWizard.java)
  set(wizard_manifest ${CMAKE_SOURCE_DIR}/examples/payload/META-INF/MANIFEST.MF)
  set(wizard_classes ${CMAKE_BINARY_DIR}/wizard-classes)
  add_custom_command(
    OUTPUT ${QBX_PAYLOAD_DIR}/install.jar
    COMMAND ${CMAKE_COMMAND} -E make_directory ${wizard_classes} ${QBX_PAYLOAD_DIR}
    COMMAND ${Java_JAVAC_EXECUTABLE} --release ${QBX_TESTJVM_RELEASE} -Xlint:-options -d ${wizard_classes}
            ${wizard_source}
    COMMAND ${Java_JAR_EXECUTABLE} cfm ${QBX_PAYLOAD_DIR}/install.jar ${wizard_manifest} -C ${wizard_classes} .
    DEPENDS ${wizard_source} ${wizard_manifest}
    COMMENT "Packing the example wizard into install.jar"
    VERBATIM)
  add_custom_target(example_wizard ALL DEPENDS ${QBX_PAYLOAD_DIR}/install.jar)
else()
  message(WARNING "No javac/jar: the example wizard install.jar is not built; the demo and end-to-end tests need it")
endif()

# The example payload laid out whole in <build>/payload, ready to check (qbxcheck) and to pack
# (make setup): the control file and manifest of examples/payload, and a clean-up program, the
# Linux demo's script natively and a Windows program of ours in the Windows build.
if(WIN32)
  add_executable(cleanup ${CMAKE_SOURCE_DIR}/examples/setup/cleanup.c)
  target_link_options(cleanup PRIVATE -static -mwindows)
  set(example_cleanup $<TARGET_FILE:cleanup>)
else()
  set(example_cleanup ${CMAKE_SOURCE_DIR}/examples/payload/cleanup.exe)
endif()
add_custom_target(example_payload ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${QBX_PAYLOAD_DIR}/META-INF
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/examples/payload/qbx.control ${QBX_PAYLOAD_DIR}/
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/examples/payload/META-INF/MANIFEST.MF
          ${QBX_PAYLOAD_DIR}/META-INF/
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${example_cleanup} ${QBX_PAYLOAD_DIR}/cleanup.exe
  COMMENT "Laying out the example payload in ${QBX_PAYLOAD_DIR}"
  VERBATIM)
if(WIN32)
  add_dependencies(example_payload cleanup)
endif()
