# The benchmark driver of `make bench` (tests/bench/bench.sh): the file utilities as the launcher
# runs them. Compiled from their own sources with optimisation, as the shipped program is, whatever
# the build type of the tree.
if(NOT WIN32)
  add_executable(filebench tests/bench/filebench.cpp src/exec/clib.cpp src/exec/fexists.cpp
                 src/platform/posix/files.cpp src/platform/posix/process.cpp src/platform/posix/cmdline.cpp
                 src/platform/posix/pathidentity.cpp src/platform/posix/heldfile.cpp)
  target_include_directories(filebench PRIVATE src)
  target_link_libraries(filebench PRIVATE OpenSSL::Crypto)
  target_compile_options(filebench PRIVATE -O2)
endif()
