# Rebuilds the puzzle set from the bank and its themes and compares it with the committed one.
if(NOT DEFINED THEMES)
  get_filename_component(bank_dir ${BANK} DIRECTORY)
  set(THEMES ${bank_dir}/themes.tsv)
endif()
execute_process(COMMAND ${BUILDER} --bank ${BANK} --themes ${THEMES} --out ${OUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the crossword builder failed (${rc})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${EXPECTED} RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "puzzles/patterns.txt is not what the builder makes from puzzles/words.tsv and puzzles/themes.tsv; "
                      "run: build/crossword-builder --bank puzzles/words.tsv --themes puzzles/themes.tsv --out puzzles/patterns.txt")
endif()
