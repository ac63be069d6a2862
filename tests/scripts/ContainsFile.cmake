# cmake -DPART=file -DWHOLE=file -P ContainsFile.cmake: fails unless WHOLE holds PART word for word.
file(READ ${PART} part)
file(READ ${WHOLE} whole)
string(FIND "${whole}" "${part}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${WHOLE} does not hold ${PART} as it stands")
endif()
