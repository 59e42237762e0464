# Runs at install time, when the final prefix is known: the menu entry must name the installed
# executable by its absolute path, which a prefix given to `cmake --install --prefix` changes.
# Expects SHOPPING_PROGRAM_SUBDIR, SHOPPING_PRODUCT_NAME, SHOPPING_DESKTOP_TEMPLATE,
# SHOPPING_CATALOGUE_FILES and SHOPPING_WORK_DIR. file(INSTALL) adds DESTDIR by itself; the
# other file commands are given the staged path.

set(prefix "${CMAKE_INSTALL_PREFIX}")
set(staged "$ENV{DESTDIR}${prefix}")

# The default catalogue: a file already there has been edited by its user and is kept.
foreach(source IN LISTS SHOPPING_CATALOGUE_FILES)
    get_filename_component(name "${source}" NAME)
    if(EXISTS "${staged}/${SHOPPING_PROGRAM_SUBDIR}/${name}")
        message(STATUS "Keeping: ${staged}/${SHOPPING_PROGRAM_SUBDIR}/${name}")
    else()
        file(INSTALL "${source}" DESTINATION "${prefix}/${SHOPPING_PROGRAM_SUBDIR}")
    endif()
endforeach()

# Desktop entry Exec quoting: inside double quotes, " ` $ and \ take a backslash; the whole
# entry value then doubles every backslash, and % is doubled for the field codes.
set(executable "${prefix}/${SHOPPING_PROGRAM_SUBDIR}/shopping")
string(REPLACE "\\" "\\\\" quoted "${executable}")
string(REPLACE "\"" "\\\"" quoted "${quoted}")
string(REPLACE "`" "\\`" quoted "${quoted}")
string(REPLACE "$" "\\$" quoted "${quoted}")
string(REPLACE "\\" "\\\\" quoted "${quoted}")
string(REPLACE "%" "%%" quoted "${quoted}")
set(SHOPPING_DESKTOP_EXEC "\"${quoted}\"")
set(entry "${SHOPPING_WORK_DIR}/torvy-shopping.desktop")
configure_file("${SHOPPING_DESKTOP_TEMPLATE}" "${entry}" @ONLY)
file(INSTALL "${entry}" DESTINATION "${prefix}/share/applications")

# A launcher on the usual path; the program still finds its folder through the link.
file(MAKE_DIRECTORY "${staged}/bin")
file(CREATE_LINK "../${SHOPPING_PROGRAM_SUBDIR}/shopping" "${staged}/bin/shopping" SYMBOLIC)
message(STATUS "Linking: ${staged}/bin/shopping")
