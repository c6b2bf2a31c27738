# The alarm sound of the reminders: a short rising chime of three bell-like
# notes (E5, G#5, B5) that ring together and fade out.
#   cmake -DSOX=... -DLAME=... -DOUT=.../Avviso.mp3 -P alarm_sound.cmake
execute_process(
  COMMAND ${SOX} -V1 -r 44100 -c 3 -n -c 1 -t wav -
          synth 1.9 sine 659.25 sine 830.61 sine 987.77
          delay 0 0.14 0.28 remix - gain -n -4 fade q 0.005 1.9 1.5
  COMMAND ${LAME} --quiet -b 96 - ${OUT}.tmp
  RESULTS_VARIABLE results)
foreach(r ${results})
  if(NOT r EQUAL 0)
    file(REMOVE ${OUT}.tmp)
    message(FATAL_ERROR "The alarm sound could not be made (sox | lame: ${results})")
  endif()
endforeach()
file(RENAME ${OUT}.tmp ${OUT})
