# One INTERFACE target carries the warning set and the project-wide
# definitions; every target of ours links it, nothing else repeats them.
add_library(tonpara_options INTERFACE)
target_compile_options(tonpara_options INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Wcast-align -Wunused -Woverloaded-virtual -Wconversion -Wsign-conversion
  -Wnull-dereference -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  target_compile_options(tonpara_options INTERFACE -Wduplicated-cond -Wlogical-op)
endif()
option(TONPARA_WERROR "Treat warnings as errors" OFF)
if(TONPARA_WERROR)
  target_compile_options(tonpara_options INTERFACE -Werror)
endif()
target_compile_definitions(tonpara_options INTERFACE
  QT_NO_CAST_FROM_ASCII QT_NO_NARROWING_CONVERSIONS_IN_CONNECT QT_NO_KEYWORDS)
