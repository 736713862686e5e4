# Installs the build tree into a fresh prefix, checks that it holds exactly
# the listed headers and that each compiles on its own, builds examples/embed
# against that prefix alone and compares the program's whole output on an
# example file with the expected one. Run by ctest as `package_consumer`; needs
# BUILD_DIR, SOURCE_DIR, WORK_DIR, GENERATOR, CXX, HEADERS (the installed
# list without lyre/version.h, joined by "|") and FLAGS (may be empty).
cmake_minimum_required(VERSION 3.25)

set(prefix ${WORK_DIR}/prefix)
set(build ${WORK_DIR}/embed)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed (${status}): ${ARGN}\n${out}")
  endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

# The installed headers are the API: exactly the list in src/CMakeLists.txt.
file(GLOB_RECURSE installed RELATIVE ${prefix}/include ${prefix}/include/*)
list(SORT installed)
string(REPLACE "|" ";" expected_headers "${HEADERS}|lyre/version.h")
list(SORT expected_headers)
if(NOT installed STREQUAL expected_headers)
  message(FATAL_ERROR "installed headers differ from the list\n"
    "--- listed\n${expected_headers}\n--- installed\n${installed}")
endif()
# Each header compiles alone against the prefix: it includes what it uses,
# and only installed headers.
foreach(header IN LISTS installed)
  string(MAKE_C_IDENTIFIER ${header} name)
  file(WRITE ${WORK_DIR}/alone/${name}.cpp "#include <${header}>\n")
  run(${CXX} -std=c++23 -Wall -Wextra -Wpedantic -Werror -fsyntax-only -I${prefix}/include
    ${WORK_DIR}/alone/${name}.cpp)
endforeach()

# No package registry and no system prefix: only what was just installed.
run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/embed -B ${build} -G ${GENERATOR}
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=${CXX} "-DCMAKE_CXX_FLAGS=${FLAGS}"
  "-DCMAKE_EXE_LINKER_FLAGS=${FLAGS}" -DCMAKE_PREFIX_PATH=${prefix}
  -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF)
file(STRINGS ${build}/CMakeCache.txt found REGEX "^lyrelint_DIR:")
if(NOT found STREQUAL "lyrelint_DIR:PATH=${prefix}/lib/cmake/lyrelint")
  message(FATAL_ERROR "the package was not found in the fresh prefix: ${found}")
endif()
run(${CMAKE_COMMAND} --build ${build})

execute_process(COMMAND ${build}/player_view examples/boss_battle.track
  WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE status OUTPUT_VARIABLE actual ERROR_VARIABLE errors)
file(READ ${SOURCE_DIR}/tests/package/player_view_boss_battle.txt expected)
if(NOT status EQUAL 0 OR NOT actual STREQUAL expected)
  message(FATAL_ERROR "player_view exited with ${status}\n${errors}"
    "--- expected\n${expected}--- actual\n${actual}")
endif()
