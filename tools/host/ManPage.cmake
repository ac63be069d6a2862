# Makes motion-host's manual page from its help: the main help through help2man, and each
# command's own help as a section of its own.
#   cmake -DHELP2MAN=... -DMOTION_HOST=... -DOUTPUT=motion-host.1 -P ManPage.cmake

execute_process(COMMAND ${MOTION_HOST} --help OUTPUT_VARIABLE main_help COMMAND_ERROR_IS_FATAL ANY)
string(REGEX MATCH "\ncommands:\n(.*)\n\n" commands_block "${main_help}")
string(REGEX MATCHALL "\n  [a-z-]+" command_lines "\n${CMAKE_MATCH_1}")

set(include_text "[COMMANDS]\n")
foreach(line IN LISTS command_lines)
  string(STRIP "${line}" command)
  execute_process(COMMAND ${MOTION_HOST} ${command} --help OUTPUT_VARIABLE command_help COMMAND_ERROR_IS_FATAL ANY)
  # roff: a backslash is written twice, and a line must not start with a control character.
  string(REPLACE "\\" "\\\\" command_help "${command_help}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" command_help "${command_help}")
  string(APPEND include_text ".SS ${command}\n.nf\n${command_help}.fi\n")
endforeach()
file(WRITE ${OUTPUT}.include "${include_text}")

execute_process(COMMAND ${HELP2MAN} --no-info --section=1
                        "--name=host the Vector Mode motion module: translate, plot, report, import and edit motions"
                        --include=${OUTPUT}.include --output=${OUTPUT} ${MOTION_HOST}
                COMMAND_ERROR_IS_FATAL ANY)
