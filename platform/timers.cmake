# The periodic timer service and the component base the timer component
# derives from. Plain C++ and threads; no Qt.
add_library(tonpara_platform_timer STATIC
  ${CMAKE_CURRENT_LIST_DIR}/TimerService.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Component.cpp)
target_include_directories(tonpara_platform_timer PUBLIC ${PROJECT_SOURCE_DIR})
find_package(Threads REQUIRED)
target_link_libraries(tonpara_platform_timer PUBLIC Threads::Threads PRIVATE tonpara_options)
