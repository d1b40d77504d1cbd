# Every file the game loads by name must be in its folder after a build.
set(expected data2.dat tazumeki-sound.so tazumeki-history-window.so tazumeki-history-store.so sound/Boom.wav sound/Boom2.wav sound/NewRecord.WAV sound/loose.wav
  image/button_quit_init.bmp image/button_quit_over.bmp image/button_quit_init@2x.bmp image/button_quit_over@2x.bmp)
foreach(face start record close ok)
  foreach(state init over down)
    list(APPEND expected image/button_${face}_${state}.bmp image/button_${face}_${state}@2x.bmp)
  endforeach()
endforeach()
foreach(file IN LISTS expected)
  if(NOT EXISTS ${GAME_DIR}/${file})
    message(FATAL_ERROR "missing from the game folder: ${file}")
  endif()
endforeach()
