# Regenerates the sounds into WORK_DIR and fails unless each one matches the
# committed file byte for byte.
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${PYTHON} ${SOURCE_DIR}/tools/make-sounds.py ${WORK_DIR}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "tools/make-sounds.py failed: ${result}")
endif()
foreach(sound ok.wav mis.wav)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                    ${WORK_DIR}/${sound} ${SOURCE_DIR}/resources/sounds/${sound}
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "resources/sounds/${sound} differs from what tools/make-sounds.py makes")
  endif()
endforeach()
