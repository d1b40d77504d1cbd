# Every libFuzzer target, by the name of its source file and seed folder.
set(TAZUMEKI_FUZZERS
  container_reader word_file_reader single_record_text battle_record_text
  record_fields record_file_load puzzle_load)
