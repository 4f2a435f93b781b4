# pellon_add_test_dir(<dir> [GLOB <pattern>] [EXCLUDE <pattern>] LIBS <libs...>): one test executable
# per *_test.cpp in <dir> (or per file matching GLOB, less those matching EXCLUDE), so that a fault in
# one area's tests never stops another area's from building. A LOGIC_ONLY build leaves out the tests
# that need Qt.
function(pellon_add_test_dir dir)
  cmake_parse_arguments(ARG "" "TIMEOUT;GLOB;EXCLUDE" "LIBS;PROPERTIES;DEFINITIONS;DEPENDS" ${ARGN})
  pellon_libraries_built(built ${ARG_LIBS})
  if(NOT built)
    return()
  endif()
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  if(NOT ARG_GLOB)
    set(ARG_GLOB *_test.cpp)
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/${ARG_GLOB})
  if(ARG_EXCLUDE)
    file(GLOB excluded CONFIGURE_DEPENDS ${dir}/${ARG_EXCLUDE})
    list(REMOVE_ITEM sources ${excluded})
  endif()
  foreach(src ${sources})
    get_filename_component(name ${src} NAME_WE)
    get_filename_component(area ${dir} NAME)
    set(target ${area}_${name})
    add_executable(${target} ${src})
    target_compile_definitions(${target} PRIVATE
      TEST_DATA_DIR="${dir}/data"
      TEST_OUTPUT_DIR="${CMAKE_BINARY_DIR}/test-output" ${ARG_DEFINITIONS})
    if(ARG_DEPENDS)
      add_dependencies(${target} ${ARG_DEPENDS})
    endif()
    target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT ${ARG_TIMEOUT} ${ARG_PROPERTIES})
  endforeach()
endfunction()

# Adds every subfolder of the calling folder that has its own CMakeLists.txt.
function(pellon_add_present_subdirs)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  foreach(child ${children})
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# pellon_add_fuzzer(<name> SOURCES <files...> LIBS <libs...> SEEDS <dir> [DICT <file>]): a libFuzzer
# target, built only by the fuzzing build (PELLON_FUZZ, clang, which scripts/fuzz.sh configures) and
# listed in fuzzers.txt there as "<name> <seeds> <dict>" for the script to run.
function(pellon_add_fuzzer name)
  cmake_parse_arguments(ARG "" "SEEDS;DICT" "SOURCES;LIBS" ${ARGN})
  if(NOT PELLON_FUZZ)
    return()
  endif()
  pellon_libraries_built(built ${ARG_LIBS})
  if(NOT built)
    message(FATAL_ERROR "fuzzer ${name} links a library this build lacks: ${ARG_LIBS}")
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  if(NOT ARG_DICT)
    set(ARG_DICT "-")
  endif()
  file(APPEND ${CMAKE_BINARY_DIR}/fuzzers.txt "${name} ${ARG_SEEDS} ${ARG_DICT}\n")
endfunction()

# pellon_add_screenshot(<name> SOURCE <file> LIBS <libs...> [SCREEN <WxHxD>] [DEFINITIONS <defs...>]):
# a program that shows windows on a virtual X display (xvfb-run) and saves what a person would see in
# the test output folder, run by ctest as <name>. Not in a LOGIC_ONLY build.
function(pellon_add_screenshot name)
  cmake_parse_arguments(ARG "" "SOURCE;SCREEN" "LIBS;DEFINITIONS" ${ARGN})
  if(LOGIC_ONLY)
    return()
  endif()
  if(NOT ARG_SCREEN)
    set(ARG_SCREEN 1280x1024x24)
  endif()
  add_executable(${name} ${ARG_SOURCE})
  target_compile_definitions(${name} PRIVATE TEST_OUTPUT_DIR="${CMAKE_BINARY_DIR}/test-output" ${ARG_DEFINITIONS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  find_program(XVFB_RUN xvfb-run REQUIRED)
  add_test(NAME ${name} COMMAND ${XVFB_RUN} -a -s "-screen 0 ${ARG_SCREEN}" $<TARGET_FILE:${name}>)
  set_tests_properties(${name} PROPERTIES TIMEOUT 60 ENVIRONMENT QT_QPA_PLATFORM=xcb)
endfunction()
