# SPDX-License-Identifier: MIT
# Runs at install time, once the prefix is final (cmake --install --prefix changes it after the
# configure step), and installs the desktop entry with the installed program's absolute path.
# Set by the caller: MORVANE_DESKTOP_TEMPLATE, MORVANE_DESKTOP_WORK (a folder of the build tree for
# the written entry), MORVANE_BINDIR, MORVANE_DATADIR, MORVANE_PROGRAM.

foreach(dir BINDIR DATADIR)
    if(IS_ABSOLUTE "${MORVANE_${dir}}")
        set(${dir} "${MORVANE_${dir}}")
    else()
        set(${dir} "${CMAKE_INSTALL_PREFIX}/${MORVANE_${dir}}")
    endif()
endforeach()
set(program "${BINDIR}/${MORVANE_PROGRAM}")

if(program MATCHES "[\n\r]")
    message(FATAL_ERROR "The install path holds a line break, which a desktop entry cannot name: ${program}")
endif()

# The Exec key's own quoting: a path with a blank or another reserved character goes in double
# quotes, where \ " ` and $ take a backslash. The key's value is then escaped as a string, which
# doubles every backslash, and a literal % is written %% so that it is not read as a field code.
set(exec "${program}")
if(exec MATCHES "[] \t\"'\\\\<>~|&;$*?#()`[]")
    string(REPLACE "\\" "\\\\" exec "${exec}")
    string(REPLACE "\"" "\\\"" exec "${exec}")
    string(REPLACE "`" "\\`" exec "${exec}")
    string(REPLACE "$" "\\$" exec "${exec}")
    set(exec "\"${exec}\"")
endif()
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "%" "%%" exec "${exec}")

# One work file per destination, so that installs into two prefixes at once do not share it.
string(MD5 destination "$ENV{DESTDIR}|${CMAKE_INSTALL_PREFIX}")
# The entry is named as its template without ".in": the software centre finds it by that name.
get_filename_component(name "${MORVANE_DESKTOP_TEMPLATE}" NAME_WLE)
set(entry "${MORVANE_DESKTOP_WORK}/${destination}/${name}")
set(MORVANE_EXEC "${exec}")
configure_file("${MORVANE_DESKTOP_TEMPLATE}" "${entry}" @ONLY)
file(INSTALL DESTINATION "${DATADIR}/applications" TYPE FILE FILES "${entry}")
