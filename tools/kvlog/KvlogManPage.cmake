# Writes kvlog's manual page from the program's own help texts, so every command that
# registers itself appears in it with its arguments and options.
#   cmake -DKVLOG=<kvlog> -DOUT=<kvlog.1> -DVERSION=<x.y.z> -P KvlogManPage.cmake

function(kv_run out)
    execute_process(COMMAND ${KVLOG} ${ARGN} OUTPUT_VARIABLE text RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "kvlog ${ARGN} failed: ${rc}")
    endif()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Help text as literal lines of roff: backslashes escaped, a leading dot or quote guarded.
function(kv_roff out text)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

kv_run(overview --help)
# The command names: the indented lines between "Commands:" and the next blank line.
string(REGEX MATCH "Commands:\n(([ ][^\n]*\n)+)" _ "${overview}")
string(REGEX MATCHALL "\n  ([a-z0-9-]+)" names "\n${CMAKE_MATCH_1}")
list(TRANSFORM names REPLACE "^\n  " "")

set(page ".TH KVLOG 1 \"December 2026\" \"Kelvara ${VERSION}\" \"User Commands\"
.SH NAME
kvlog \\- command-line companion of the Kelwin dive logbook
.SH SYNOPSIS
.B kvlog
.I COMMAND
.RI [ ARGUMENTS ]
.RI [ OPTIONS ]
.br
.B kvlog
.RB [ --help | --version ]
.br
.B kvlog
.I COMMAND
.B --help
.SH DESCRIPTION
.B kvlog
reads, converts and analyses the logbook files of
.BR kelwin (1)
from the command line.
Results go to standard output, messages to standard error.
Options may stand before, between or after the arguments, as
.B --option value
or
.BR --option=value ;
.B --
ends the options.
.SH COMMANDS
")
foreach(name IN LISTS names)
    kv_run(help ${name} --help)
    kv_roff(help "${help}")
    string(APPEND page ".SS ${name}\n.nf\n${help}.fi\n")
endforeach()
string(APPEND page ".SH EXIT STATUS
.TP
.B 0
The command did its work.
.TP
.B 1
A file or the device refused: a missing or damaged logbook, a file that cannot be
written.
.TP
.B 2
Wrong use: an unknown command or option, a missing or surplus argument, a value that
does not read.
The usage goes to standard error.
.SH SEE ALSO
.BR kelwin (1),
.BR teswin (1)
")
file(WRITE "${OUT}" "${page}")
