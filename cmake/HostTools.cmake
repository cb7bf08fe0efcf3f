# Programs that run on the build machine whatever the target: built with the host's C++
# compiler, also in the cross configurations.
find_program(TV_HOST_CXX NAMES c++ g++ REQUIRED)
set(TV_HOST_BIN ${CMAKE_BINARY_DIR}/host)
set(TV_PEFIX ${TV_HOST_BIN}/pefix)
add_custom_command(
  OUTPUT ${TV_PEFIX}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TV_HOST_BIN}
  COMMAND ${TV_HOST_CXX} -std=c++17 -O2 -Wall -Wextra -o ${TV_PEFIX} ${CMAKE_SOURCE_DIR}/tools/pefix/pefix.cpp
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/pefix/pefix.cpp
  COMMENT "Building host tool pefix")
add_custom_target(pefix_host DEPENDS ${TV_PEFIX})
