# Installs the build tree into a fresh prefix, checks that it holds exactly
# the listed headers and that each compiles on its own, builds examples/embed
# against that prefix alone and compares the program's whole output on an
# example file with the expected one: with the library's own compiler (CXX),
# and with clang (CLANG, when set), as game and editor projects often use it.
# Run by ctest as `package_consumer`; needs BUILD_DIR, SOURCE_DIR, WORK_DIR,
# GENERATOR, CXX, CLANG and FLAGS (both may be empty) and HEADERS (the
# installed list without lyre/version.h, joined by "|").
cmake_minimum_required(VERSION 3.25)

set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed (${status}): ${ARGN}\n${out}")
  endif()
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

# Before 1.0 a request accepts only the installed minor version.
include(${prefix}/lib/cmake/lyrelint/lyrelintConfigVersion.cmake)
string(REPLACE "." ";" installed ${PACKAGE_VERSION})
list(GET installed 0 major)
list(GET installed 1 minor)
math(EXPR next_minor "${minor} + 1")
math(EXPR next_major "${major} + 1")
set(requests "${major}.${minor}:TRUE" "${major}.${minor}.0:TRUE" "${major}.${next_minor}:FALSE"
  "${next_major}.0:FALSE")
if(minor GREATER 0)
  math(EXPR previous_minor "${minor} - 1")
  list(APPEND requests "${major}.${previous_minor}:FALSE" "${major}.${previous_minor}.9:FALSE")
endif()
foreach(request_and_answer IN LISTS requests)
  string(REPLACE ":" ";" pair ${request_and_answer})
  list(GET pair 0 PACKAGE_FIND_VERSION)
  list(GET pair 1 wanted)
  string(REPLACE "." ";" numbers ${PACKAGE_FIND_VERSION})
  list(GET numbers 0 PACKAGE_FIND_VERSION_MAJOR)
  list(GET numbers 1 PACKAGE_FIND_VERSION_MINOR)
  include(${prefix}/lib/cmake/lyrelint/lyrelintConfigVersion.cmake)
  if(NOT "${PACKAGE_VERSION_COMPATIBLE}" STREQUAL "${wanted}")
    message(FATAL_ERROR "a request for ${PACKAGE_FIND_VERSION} of ${PACKAGE_VERSION}: "
      "compatible is '${PACKAGE_VERSION_COMPATIBLE}', not ${wanted}")
  endif()
endforeach()

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
# and only installed headers. Clang before 19 needs what the package's target
# gives it for libstdc++ 12.
set(compilers "${CXX}|-std=c++23")
if(CLANG)
  list(APPEND compilers "${CLANG}|-std=c++2b -D__cpp_concepts=202002L -Wno-macro-redefined")
endif()
foreach(compiler_and_flags IN LISTS compilers)
  string(REPLACE "|" ";" pair ${compiler_and_flags})
  list(GET pair 0 compiler)
  list(GET pair 1 flags)
  separate_arguments(flags)
  foreach(header IN LISTS installed)
    string(MAKE_C_IDENTIFIER ${header} name)
    file(WRITE ${WORK_DIR}/alone/${name}.cpp "#include <${header}>\n")
    run(${compiler} ${flags} -Wall -Wextra -Wpedantic -Werror -fsyntax-only -I${prefix}/include
      ${WORK_DIR}/alone/${name}.cpp)
  endforeach()
endforeach()

file(READ ${SOURCE_DIR}/tests/package/player_view_boss_battle.txt expected)

# Builds examples/embed with `compiler` in `build` and compares its output.
function(check_consumer compiler build)
  # No package registry and no system prefix: only what was just installed.
  run(${CMAKE_COMMAND} -S ${SOURCE_DIR}/examples/embed -B ${build} -G ${GENERATOR}
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=${compiler} "-DCMAKE_CXX_FLAGS=${FLAGS}"
    "-DCMAKE_EXE_LINKER_FLAGS=${FLAGS}" -DCMAKE_PREFIX_PATH=${prefix}
    -DCMAKE_FIND_USE_PACKAGE_REGISTRY=OFF -DCMAKE_FIND_USE_SYSTEM_PACKAGE_REGISTRY=OFF)
  file(STRINGS ${build}/CMakeCache.txt found REGEX "^lyrelint_DIR:")
  if(NOT found STREQUAL "lyrelint_DIR:PATH=${prefix}/lib/cmake/lyrelint")
    message(FATAL_ERROR "the package was not found in the fresh prefix: ${found}")
  endif()
  run(${CMAKE_COMMAND} --build ${build})

  execute_process(COMMAND ${build}/player_view examples/boss_battle.track
    WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE status OUTPUT_VARIABLE actual ERROR_VARIABLE errors)
  if(NOT status EQUAL 0 OR NOT actual STREQUAL expected)
    message(FATAL_ERROR "player_view (${compiler}) exited with ${status}\n${errors}"
      "--- expected\n${expected}--- actual\n${actual}")
  endif()
endfunction()

check_consumer(${CXX} ${WORK_DIR}/embed)
if(CLANG)
  check_consumer(${CLANG} ${WORK_DIR}/embed-clang)
endif()
