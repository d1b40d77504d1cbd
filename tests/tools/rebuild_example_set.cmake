# Makes an example set again from its word list and compares it byte for byte
# with the one the build made: the same list gives the same set.
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${TOOL} build ${LIST} -o ${OUT} --name ${NAME}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "tazumeki-data build failed (${rc})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${EXPECTED} RESULT_VARIABLE differ)
file(REMOVE ${OUT})
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "${LIST} made a set other than ${EXPECTED}: the build is not deterministic")
endif()
