# The program's libraries in one order, lowest first. A library may include the headers of, and link,
# only itself and the libraries above it in this list; the layer check (cmake/CheckLayers.cmake, run
# by ctest as layer_check) fails on anything else, and so on a cycle. ARCHITECTURE.md draws the order.
#
#   pellon_library(<target> QT|NOQT <path>...)
#
# Each <path> is relative to app/: a folder holds the library's sources directly (its subfolders are
# libraries of their own), or a file path without its extension names the .h/.cpp pair of a library
# that shares its folder with another. NOQT marks a library that must not use Qt: it may link only
# NOQT libraries, and the sanitizer build (LOGIC_ONLY) builds exactly these libraries and their tests.
# A new library is one more line at its place in the order.
macro(pellon_library name kind)
  list(APPEND PELLON_LIBRARY_ORDER ${name})
  set(PELLON_LIBRARY_${name}_KIND ${kind})
  set(PELLON_LIBRARY_${name}_PATHS ${ARGN})
endmacro()
set(PELLON_LIBRARY_ORDER "")

# The stand-in platform: text and numbers, the engine binding, then the layer over Qt.
pellon_library(platform_text        NOQT platform/text platform/text/testing)
pellon_library(platform_engine      NOQT platform/engine platform/engine/testing)
pellon_library(platform_grid        NOQT platform/grid)
pellon_library(platform_pixels      NOQT platform/draw/Colour platform/draw/PixelBuffer platform/draw/PixelBlit platform/draw/SystemColourTable)
pellon_library(platform_services    QT   platform/services)
pellon_library(platform_draw        QT   platform/draw)
pellon_library(platform_ui          QT   platform/ui platform/ui/testing)
# The program's shared helper routines, and those of them that take a control.
pellon_library(common               NOQT common)
pellon_library(common_controls      QT   common/controls)
# The off-screen OpenGL surface over OSMesa and the viewer's lit primitives (only the viewer links it).
pellon_library(platform_gl          NOQT platform/gl)
# The image toolkit: bitmaps, palettes and the GIF writer.
pellon_library(imaging              NOQT imaging)
# The plot records the model holds.
pellon_library(plot_records         NOQT plot/records)
# The model: the settings file, the model variables and the parameter-file writer.
pellon_library(shell_settings       NOQT shell/settings)
pellon_library(shell_model          NOQT shell/model)
# Rules without windows.
pellon_library(viewer_logic         NOQT viewer/logic)
pellon_library(shell_main_logic     NOQT shell/mainwindow/logic)
pellon_library(editors_logic        NOQT editors/logic)
pellon_library(editors_ground       NOQT editors/ground/GroundProfileGrid)
pellon_library(editors_arrayedit    NOQT editors/arrayedit/ArrayGridRules)
pellon_library(ground_logic         NOQT ground/logic)
pellon_library(ground_digitise_logic NOQT ground/digitise/logic)
# Model I/O: the parameter-file reader and the model as the main window shows it; the run.
pellon_library(shell_modelio        NOQT shell/modelio)
pellon_library(shell_run_logic      NOQT shell/run/logic)
pellon_library(plot_logic           NOQT plot/logic)
pellon_library(plot_page            NOQT plot/page)
# The viewer's scene by OpenGL and the software picture's segments, without a window.
pellon_library(viewer_scene         NOQT viewer/ui/scene)
# Windows and panels.
pellon_library(shell_dialogs        QT   shell/dialogs)
pellon_library(plot_mm              QT   plot/mm)
pellon_library(plot_ui              QT   plot/ui)
pellon_library(editors_elemparm     QT   editors/elemparm)
pellon_library(editors_ground_ui    QT   editors/ground)
pellon_library(editors_arrayedit_ui QT   editors/arrayedit)
pellon_library(editors_panels       QT   editors/panels)
pellon_library(viewer_ui            QT   viewer/ui)
pellon_library(ground_ui            QT   ground/ui)
pellon_library(ground_digitise_ui   QT   ground/digitise/ui)
pellon_library(shell_run            QT   shell/run)
pellon_library(shell_ui             QT   shell/mainwindow)
# The program.
pellon_library(Pellon               QT   shell/program)
