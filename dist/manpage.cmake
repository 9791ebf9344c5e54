# Writes the man page: the template's fixed sections plus the binary's own `--help` text, so that
# the page lists exactly the commands the program knows.
# Called with BINARY, TEMPLATE, METAINFO and OUTPUT defined.
foreach(option --help --version)
    execute_process(COMMAND ${BINARY} ${option} OUTPUT_VARIABLE text RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${BINARY} ${option} failed: ${status}")
    endif()
    set(output${option} "${text}")
endforeach()
string(STRIP "${output--version}" VERSION)

# "Zettelwerk – what it is", then "Aufruf:" and the command list.
string(FIND "${output--help}" "\n" end_of_title)
string(SUBSTRING "${output--help}" 0 ${end_of_title} title)
string(FIND "${output--help}" "Aufruf:\n" usage_start)
if(NOT title MATCHES "^Zettelwerk – (.+)$" OR usage_start EQUAL -1)
    message(FATAL_ERROR "--help no longer starts with \"Zettelwerk – …\" and \"Aufruf:\"")
endif()
set(SUMMARY "${CMAKE_MATCH_1}")
math(EXPR usage_start "${usage_start} + 8")
string(SUBSTRING "${output--help}" ${usage_start} -1 USAGE)
string(REGEX REPLACE "\n+$" "" USAGE "${USAGE}")

# Roff reads a backslash as an escape, a minus as a hyphen and a leading dot or quote as a request.
foreach(name SUMMARY USAGE)
    string(REPLACE "\\" "\\e" ${name} "${${name}}")
    string(REPLACE "-" "\\-" ${name} "${${name}}")
    string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" ${name} "${${name}}")
endforeach()

# The page carries the date of the newest release, not the build's, so that builds are reproducible.
file(READ "${METAINFO}" metainfo)
if(NOT metainfo MATCHES "<release version=\"[^\"]+\" date=\"([0-9-]+)\"")
    message(FATAL_ERROR "${METAINFO} names no release date")
endif()
set(DATE "${CMAKE_MATCH_1}")

file(READ "${TEMPLATE}" page)
string(CONFIGURE "${page}" page @ONLY)
file(WRITE "${OUTPUT}" "${page}")
