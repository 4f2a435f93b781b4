# The two decoders that read back every GIF the GIF writer's tests write: Pillow (the python3 with it,
# PYTHON_WITH_PIL, found above) and giflib's tools (giflib-tools). Both are required: a missing one
# stops the configuration.
if(NOT PYTHON_WITH_PIL)
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
      PILLOW_PYTHON="${PYTHON_WITH_PIL}"
      DECODE_GIF_SCRIPT="${CMAKE_CURRENT_SOURCE_DIR}/decode_gif.py"
      GIFTEXT="${PELLON_GIFTEXT}"
      GIF2RGB="${PELLON_GIF2RGB}")
  endif()
endforeach()
