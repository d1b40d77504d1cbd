# Rebuilds the puzzle set from the bank and compares it with the committed one.
execute_process(COMMAND ${BUILDER} --bank ${BANK} --out ${OUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the crossword builder failed (${rc})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${EXPECTED} RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "puzzles/patterns.txt is not what the builder makes from puzzles/words.tsv; "
                      "run: build/crossword-builder --bank puzzles/words.tsv --out puzzles/patterns.txt")
endif()
