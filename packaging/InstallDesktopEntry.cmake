# Runs at install time, when the final prefix is known. From /usr or /usr/local the menu entry
# starts the program by its name; from any other prefix (such as ~/.local, whose bin folder a
# desktop session may not search) by its absolute path.
# Expects SHOPPING_ID, SHOPPING_PRODUCT_NAME, SHOPPING_DESKTOP_TEMPLATE and SHOPPING_WORK_DIR.

set(prefix "${CMAKE_INSTALL_PREFIX}")
if(prefix STREQUAL "/usr" OR prefix STREQUAL "/usr/local")
    set(SHOPPING_DESKTOP_EXEC shopping)
else()
    # Desktop entry Exec quoting: inside double quotes, " ` $ and \ take a backslash; the whole
    # entry value then doubles every backslash, and % is doubled for the field codes.
    set(executable "${prefix}/bin/shopping")
    string(REPLACE "\\" "\\\\" quoted "${executable}")
    string(REPLACE "\"" "\\\"" quoted "${quoted}")
    string(REPLACE "`" "\\`" quoted "${quoted}")
    string(REPLACE "$" "\\$" quoted "${quoted}")
    string(REPLACE "\\" "\\\\" quoted "${quoted}")
    string(REPLACE "%" "%%" quoted "${quoted}")
    set(SHOPPING_DESKTOP_EXEC "\"${quoted}\"")
endif()
# One file per destination, so that installs into two places at once do not meet.
string(MD5 destination "$ENV{DESTDIR}${prefix}")
set(entry "${SHOPPING_WORK_DIR}/entry-${destination}/${SHOPPING_ID}.desktop")
configure_file("${SHOPPING_DESKTOP_TEMPLATE}" "${entry}" @ONLY)
file(INSTALL "${entry}" DESTINATION "${prefix}/share/applications")
