# Makes motion-host's manual page from its help: the main help through help2man, and each
# command's own help as a section of its own, in roff that man fills to the reader's width.
#   cmake -DHELP2MAN=... -DMOTION_HOST=... -DOUTPUT=motion-host.1 -P ManPage.cmake

# One line of a command's help in roff: a blank line starts a paragraph, a row of an option table
# ("  --script SCRIPT  play SCRIPT ...") a tagged paragraph, and the lines that continue a row or
# a paragraph are filled in.
function(roff_line line result)
  if(line STREQUAL "")
    set(${result} ".PP\n" PARENT_SCOPE)
  elseif(line MATCHES "^  ([^ ].*[^ ]|[^ ])   *([^ ].*)$")
    string(REPLACE "-" "\\-" name "${CMAKE_MATCH_1}")
    set(${result} ".TP\n\\fB${name}\\fR\n${CMAKE_MATCH_2}\n" PARENT_SCOPE)
  else()
    string(REGEX REPLACE "^ +" "" line "${line}")
    # A line must not start with a control character.
    string(REGEX REPLACE "^([.'])" "\\\\&\\1" line "${line}")
    set(${result} "${line}\n" PARENT_SCOPE)
  endif()
endfunction()

function(roff_help help result)
  # roff: a backslash is written twice; the en dash has a name of its own.
  string(REPLACE "\\" "\\\\" help "${help}")
  string(REPLACE "–" "\\(en" help "${help}")
  set(roff "")
  string(LENGTH "${help}" length)
  set(begin 0)
  while(begin LESS length)
    string(SUBSTRING "${help}" ${begin} -1 rest)
    string(FIND "${rest}" "\n" end)
    if(end EQUAL -1)
      string(LENGTH "${rest}" end)
    endif()
    string(SUBSTRING "${rest}" 0 ${end} line)
    roff_line("${line}" text)
    string(APPEND roff "${text}")
    math(EXPR begin "${begin} + ${end} + 1")
  endwhile()
  set(${result} "${roff}" PARENT_SCOPE)
endfunction()

execute_process(COMMAND ${MOTION_HOST} --help OUTPUT_VARIABLE main_help COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCH "\ncommands:\n(.*)\n\n" commands_block "${main_help}")
string(REGEX MATCHALL "\n  [a-z-]+" command_lines "\n${CMAKE_MATCH_1}")

set(include_text "[COMMANDS]\n")
foreach(line IN LISTS command_lines)
  string(STRIP "${line}" command)
  execute_process(COMMAND ${MOTION_HOST} ${command} --help OUTPUT_VARIABLE command_help COMMAND_ERROR_IS_FATAL ANY)
  roff_help("${command_help}" command_roff)
  string(APPEND include_text ".SS ${command}\n${command_roff}")
endforeach()
file(WRITE ${OUTPUT}.include "${include_text}")

execute_process(COMMAND ${HELP2MAN} --no-info --section=1
                        "--name=host the Vector Mode motion module: translate, plot, report, import and edit motions"
                        --include=${OUTPUT}.include --output=${OUTPUT} ${MOTION_HOST}
                COMMAND_ERROR_IS_FATAL ANY)
