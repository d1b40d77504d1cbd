# Rebuilds the puzzle set from the bank and its themes and compares it with the committed one.
get_filename_component(bank_dir ${BANK} DIRECTORY)
if(NOT DEFINED THEMES)
  set(THEMES ${bank_dir}/themes.tsv)
endif()
if(NOT DEFINED APART)
  set(APART ${bank_dir}/apart.tsv)
endif()
execute_process(COMMAND ${BUILDER} --bank ${BANK} --themes ${THEMES} --apart ${APART} --out ${OUT} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the crossword builder failed (${rc})")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${EXPECTED} RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "puzzles/patterns.txt is not what the builder makes from puzzles/words.tsv, themes.tsv and apart.tsv; "
                      "run: build/crossword-builder --bank puzzles/words.tsv --themes puzzles/themes.tsv --apart puzzles/apart.tsv "
                      "--out puzzles/patterns.txt")
endif()
