# Checks the real compile lines of drill/ sources, as the build wrote them to
# compile_commands.json: none names a Qt include path, and with their include
# flags a Qt header cannot be found while the drill headers can.
#   -DCOMPILE_COMMANDS=... -DSOURCE_DIR=... -DCXX=... -DPROBE_DIR=...
# CMake writes one "command" line per entry; reading lines keeps this fast on
# a large database where parsing the whole JSON would not be.
file(STRINGS "${COMPILE_COMMANDS}" commands REGEX "\"command\": .* -c ${SOURCE_DIR}/drill/")
list(LENGTH commands drillSources)
set(includeFlags "")
foreach(command IN LISTS commands)
  if(command MATCHES "[Qq][Tt]6|/Qt[A-Z]|QT_CORE_LIB|QT_GUI_LIB|QT_WIDGETS_LIB")
    message(FATAL_ERROR "a drill source is compiled with Qt: ${command}")
  endif()
  if(NOT includeFlags)
    string(REGEX REPLACE "^ *\"command\": \"(.*)\",?$" "\\1" command "${command}")
    separate_arguments(args UNIX_COMMAND "${command}")
    foreach(arg IN LISTS args)
      if(arg MATCHES "^-(I|isystem|std=)")
        list(APPEND includeFlags "${arg}")
      endif()
    endforeach()
  endif()
endforeach()
if(drillSources EQUAL 0)
  message(FATAL_ERROR "no drill/ source found in ${COMPILE_COMMANDS}")
endif()

execute_process(COMMAND "${CXX}" ${includeFlags} -fsyntax-only "${PROBE_DIR}/DrillProbe.cpp"
                RESULT_VARIABLE okResult ERROR_VARIABLE okError)
if(NOT okResult EQUAL 0)
  message(FATAL_ERROR "drill headers do not compile with the drill flags:\n${okError}")
endif()
execute_process(COMMAND "${CXX}" ${includeFlags} -fsyntax-only "${PROBE_DIR}/QtProbe.cpp"
                RESULT_VARIABLE qtResult ERROR_VARIABLE qtError)
if(qtResult EQUAL 0 OR NOT qtError MATCHES "QtCore/QString")
  message(FATAL_ERROR "a Qt header is reachable with the drill flags (${includeFlags}):\n${qtError}")
endif()
message(STATUS "${drillSources} drill sources, none sees Qt")
