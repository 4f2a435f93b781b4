# The two decoders that read back every GIF the GIF writer's tests write: Pillow (python3-pil) and
# giflib's tools (giflib-tools). Both are required: a missing one stops the configuration.
set(_pythons)
find_package(Python3 COMPONENTS Interpreter QUIET)
if(Python3_EXECUTABLE)
  list(APPEND _pythons ${Python3_EXECUTABLE})
endif()
find_program(_system_python python3 PATHS /usr/bin NO_DEFAULT_PATH)
list(APPEND _pythons ${_system_python})
unset(PELLON_PILLOW_PYTHON)
# The first Python that imports Pillow (a Python of the user's own may lack the system's packages).
foreach(python IN LISTS _pythons)
  execute_process(COMMAND ${python} -c "import PIL.Image" RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET)
  if(NOT failed)
    set(PELLON_PILLOW_PYTHON ${python})
    break()
  endif()
endforeach()
if(NOT PELLON_PILLOW_PYTHON)
  message(FATAL_ERROR "The GIF tests need Pillow: install python3-pil (scripts/setup.sh)")
endif()
find_program(PELLON_GIFTEXT giftext)
find_program(PELLON_GIF2RGB gif2rgb)
if(NOT PELLON_GIFTEXT OR NOT PELLON_GIF2RGB)
  message(FATAL_ERROR "The GIF tests need giflib's giftext and gif2rgb: install giflib-tools (scripts/setup.sh)")
endif()

foreach(test IN ITEMS imaging_gif_test imaging_savegif_test imaging_reduce_test)
  if(TARGET ${test})
    target_compile_definitions(${test} PRIVATE
      PILLOW_PYTHON="${PELLON_PILLOW_PYTHON}"
      DECODE_GIF_SCRIPT="${CMAKE_CURRENT_SOURCE_DIR}/decode_gif.py"
      GIFTEXT="${PELLON_GIFTEXT}"
      GIF2RGB="${PELLON_GIF2RGB}")
  endif()
endforeach()
