# The payload's test class TestJvm.class, compiled with the machine's javac for the oldest
# release it can still target, so that it loads in old JVMs too. Output: <build>/payload/.
find_package(Java 17 COMPONENTS Development Runtime)

set(QBX_PAYLOAD_DIR ${CMAKE_BINARY_DIR}/payload)
set(QBX_TESTJVM_SOURCE ${CMAKE_SOURCE_DIR}/payload/TestJvm.java)

if(Java_JAVAC_EXECUTABLE)
  # javac up to 19 still accepts release 7; later ones start at 8. Ask once, with the real source.
  if(NOT DEFINED QBX_TESTJVM_RELEASE)
    set(probe_dir ${CMAKE_BINARY_DIR}/payload-probe)
    file(MAKE_DIRECTORY ${probe_dir})
    foreach(release 7 8)
      execute_process(
        COMMAND ${Java_JAVAC_EXECUTABLE} --release ${release} -Xlint:-options -d ${probe_dir} ${QBX_TESTJVM_SOURCE}
        RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
      if(probe_result EQUAL 0)
        set(QBX_TESTJVM_RELEASE ${release} CACHE STRING "Java release TestJvm.class is compiled for")
        break()
      endif()
    endforeach()
    file(REMOVE_RECURSE ${probe_dir})
  endif()
  if(NOT QBX_TESTJVM_RELEASE)
    message(FATAL_ERROR "${Java_JAVAC_EXECUTABLE} compiles ${QBX_TESTJVM_SOURCE} neither for release 7 nor 8")
  endif()
  message(STATUS "TestJvm.class: javac ${Java_VERSION_STRING}, --release ${QBX_TESTJVM_RELEASE}")

  add_custom_command(
    OUTPUT ${QBX_PAYLOAD_DIR}/TestJvm.class
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QBX_PAYLOAD_DIR}
    COMMAND ${Java_JAVAC_EXECUTABLE} --release ${QBX_TESTJVM_RELEASE} -Xlint:-options -d ${QBX_PAYLOAD_DIR}
            ${QBX_TESTJVM_SOURCE}
    DEPENDS ${QBX_TESTJVM_SOURCE}
    COMMENT "Compiling TestJvm.class for Java ${QBX_TESTJVM_RELEASE}"
    VERBATIM)
  add_custom_target(payload ALL DEPENDS ${QBX_PAYLOAD_DIR}/TestJvm.class)
else()
  message(WARNING "No javac found (install openjdk-17-jdk-headless): TestJvm.class is not built, "
                  "and the unit tests that run a real JVM skip")
endif()

# What the unit tests need to run a real JVM: the compiled class and a way to reach the host's
# java. Natively a JVM directory links to the host's java; the Windows build copies the Wine
# test helper java-stub.exe there instead, which runs the host's java for it.
if(TARGET unit_tests)
  if(TARGET payload)
    add_dependencies(unit_tests payload)
    set(test_payload_dir ${QBX_PAYLOAD_DIR})
  else()
    set(test_payload_dir "")
  endif()
  set(test_host_java "")
  set(test_java_stub "")
  if(WIN32)
    if(TARGET java-stub)
      add_dependencies(unit_tests java-stub)
    endif()
    # Seen from Wine, the Linux file system is drive Z:.
    if(test_payload_dir)
      set(test_payload_dir "Z:${test_payload_dir}")
    endif()
    set(test_java_stub "Z:${CMAKE_BINARY_DIR}/java-stub.exe")
  elseif(Java_JAVA_EXECUTABLE)
    get_filename_component(test_host_java ${Java_JAVA_EXECUTABLE} REALPATH)
  endif()
  target_compile_definitions(unit_tests PRIVATE
    QBX_TEST_PAYLOAD_DIR="${test_payload_dir}"
    QBX_TEST_HOST_JAVA="${test_host_java}"
    QBX_TEST_JAVA_STUB="${test_java_stub}")
endif()
