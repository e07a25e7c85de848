# Sound playback, data-file lookup and the drill's random source.
find_package(SDL2 REQUIRED)
find_package(Threads REQUIRED)

add_library(tonpara_platform_audio STATIC
  ${CMAKE_CURRENT_LIST_DIR}/DataFiles.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RandomSource.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WavDecoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WavPlayer.cpp)
target_include_directories(tonpara_platform_audio PUBLIC ${PROJECT_SOURCE_DIR})
# SDL stays private: no header of ours includes it. dlopen is for quietening
# ALSA, which SDL loads at run time.
target_link_libraries(tonpara_platform_audio
  PUBLIC Threads::Threads
  PRIVATE tonpara_options SDL2::SDL2 ${CMAKE_DL_LIBS})
# The installed data folder, for a program run from its configured prefix.
target_compile_definitions(tonpara_platform_audio PRIVATE
  TONPARA_INSTALL_PREFIX="${CMAKE_INSTALL_PREFIX}"
  TONPARA_DATA_SUBDIR="${TONPARA_DATA_SUBDIR}")
