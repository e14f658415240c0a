# Fails the build of the simulated host when its image's bulk does not hold the host's memory
# map. The bulk (gImage, zero-filled) lies after the program's own code and data, so code that
# grows pushes it up; it must still begin at or below the host's code range and reach past the
# map. The bounds are read from SimHost.h, the header the program takes them from. A failing
# program is deleted, so that nothing runs it.
#   cmake -DNM=<nm> -DEXE=<simhost.exe> -DHEADER=<tools/simhost/SimHost.h> -P CheckSimHostImage.cmake
foreach(name kCodeBegin kMapEnd kImageBulkBytes)
  file(STRINGS "${HEADER}" line REGEX "${name} = 0x[0-9A-Fa-f]+")
  if(NOT line MATCHES "${name} = (0x[0-9A-Fa-f]+)")
    message(FATAL_ERROR "${HEADER} gives no ${name}")
  endif()
  math(EXPR ${name} "${CMAKE_MATCH_1}")
endforeach()

execute_process(COMMAND "${NM}" "${EXE}" OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT symbols MATCHES "(^|\n)([0-9A-Fa-f]+) [bB] [^\n]*gImage")
  file(REMOVE "${EXE}")
  message(FATAL_ERROR "${EXE}: no image bulk (gImage) among its symbols")
endif()
math(EXPR begin "0x${CMAKE_MATCH_2}")
math(EXPR end "${begin} + ${kImageBulkBytes}")
math(EXPR room "${kCodeBegin} - ${begin}" OUTPUT_FORMAT HEXADECIMAL)
math(EXPR beginHex "${begin}" OUTPUT_FORMAT HEXADECIMAL)
if(begin GREATER kCodeBegin OR end LESS kMapEnd)
  file(REMOVE "${EXE}")
  message(FATAL_ERROR "${EXE}: its image bulk at ${beginHex} does not hold the host's memory map "
                      "(it must begin at or below the code range and reach past the map); "
                      "the simulated host's own code and data have grown too large")
endif()
message(STATUS "simhost: image bulk at ${beginHex}, ${room} bytes below the host's code range")
