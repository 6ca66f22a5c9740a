# Fails when a file under src/ includes a header of a folder below which it may not reach, or a Qt
# header outside the Qt layer. The table says, for each folder, which folders it may include from;
# a folder always includes from itself. Run as: cmake -DSRC=<src dir> -P CheckLayers.cmake
#
#   common                                         results, bytes, resources, files, chip facts
#   config, macros, profiles                       the image and file formats, each on the last
#   device                                         the device link, beside the formats
#   transfers                                      joins formats and device; AppState and AppModel
#   platform                                       Linux back-ends beside their Qt-free interfaces
#   skin, editors, shell                           Qt-free window models, each on the last; editors
#                                                  and shell include from platform only its
#                                                  interfaces (platform_interfaces below), never a
#                                                  back-end
#   tools                                          command-line programs on the core
#   <folder>/ui, app                               the Qt layer
cmake_minimum_required(VERSION 3.25)
set(core common config macros profiles device transfers)
set(allowed_common "")
set(allowed_config common)
set(allowed_macros common config)
set(allowed_profiles common config macros)
set(allowed_device common)
set(allowed_transfers ${core})
set(allowed_platform common config device)
set(allowed_skin ${core})
set(allowed_editors ${core} platform skin)
set(allowed_shell ${core} platform skin editors)
set(allowed_tools ${core} platform skin editors shell)
set(allowed_platform/ui ${core} platform)
set(allowed_skin/ui ${core} skin)
set(allowed_editors/ui ${core} platform skin editors platform/ui skin/ui)
set(allowed_app ${core} platform skin editors shell platform/ui skin/ui editors/ui)
set(qt_layer platform/ui skin/ui editors/ui app)
# The platform headers a window model may include: interfaces with no back-end behind them.
set(interfaces_only editors shell)
set(platform_interfaces platform/pointer_store.h platform/input_capture.h)

file(GLOB_RECURSE files ${SRC}/*.h ${SRC}/*.cpp)
set(bad "")
foreach(f ${files})
  file(RELATIVE_PATH rel ${SRC} ${f})
  get_filename_component(dir ${rel} DIRECTORY)
  if(dir MATCHES "^tools/")
    set(dir tools)
  endif()
  if(NOT DEFINED allowed_${dir})
    list(APPEND bad "${rel}: folder ${dir} has no place in the layer table (cmake/CheckLayers.cmake)")
    continue()
  endif()
  set(may ${allowed_${dir}} ${dir})
  file(STRINGS ${f} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line ${includes})
    if(line MATCHES "[<\"](Q[A-Za-z]|Qt[A-Za-z]*/|q[a-z]+\\.h[>\"])")
      if(NOT dir IN_LIST qt_layer)
        list(APPEND bad "${rel}: Qt header outside the Qt layer: ${line}")
      endif()
    elseif(line MATCHES "\\.\\./")
      list(APPEND bad "${rel}: includes by a relative path out of its folder: ${line}")
    elseif(line MATCHES "[<\"]([a-z_]+)(/ui)?/[^>\"]+[>\"]")
      set(target ${CMAKE_MATCH_1}${CMAKE_MATCH_2})
      if(DEFINED allowed_${target} AND NOT target IN_LIST may)
        list(APPEND bad "${rel}: ${dir} may not include from ${target}: ${line}")
      elseif(target STREQUAL "platform" AND dir IN_LIST interfaces_only)
        string(REGEX MATCH "platform/[^>\"]+" header "${line}")
        if(NOT header IN_LIST platform_interfaces)
          list(APPEND bad "${rel}: ${dir} includes a platform back-end, not an interface: ${line}")
        endif()
      endif()
    endif()
  endforeach()
endforeach()
if(bad)
  list(JOIN bad "\n  " msg)
  message(FATAL_ERROR "Includes against the layers:\n  ${msg}")
endif()
