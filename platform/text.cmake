# Text decoding (UTF-8 and the Windows code pages through glibc iconv). No Qt:
# the RTF reader and the fuzzers build on it as well as the editor.
add_library(tonpara_platform_text STATIC TextDecoding.cpp)
target_include_directories(tonpara_platform_text PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(tonpara_platform_text PRIVATE tonpara_options)
