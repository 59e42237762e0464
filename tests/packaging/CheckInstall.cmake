# Installs the built program into a scratch prefix and checks what a desktop needs of it.
# Expects BUILD_DIR, WORK_DIR, PRODUCT_NAME and CATALOGUE_DIR.
cmake_minimum_required(VERSION 3.25)

function(expect condition message)
    if(${condition})
        return()
    endif()
    message(FATAL_ERROR "${message}")
endfunction()

function(install_into prefix)
    execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "install failed:\n${output}")
    endif()
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix "${WORK_DIR}/my programs")
install_into("${prefix}")

set(program_dir "${prefix}/lib/shopping")
expect("EXISTS;${program_dir}/shopping" "no executable in ${program_dir}")
expect("NOT;IS_SYMLINK;${program_dir}/shopping" "the executable is a link")
file(GLOB catalogue RELATIVE ${CATALOGUE_DIR} ${CATALOGUE_DIR}/*.txt)
list(LENGTH catalogue count)
expect("count;GREATER;1" "no catalogue files in the source tree")
expect("headings.txt;IN_LIST;catalogue" "no headings.txt in the catalogue")
foreach(name IN LISTS catalogue)
    expect("EXISTS;${program_dir}/${name}" "${name} is not beside the executable")
endforeach()

file(READ_SYMLINK "${prefix}/bin/shopping" launcher)
expect("launcher;STREQUAL;../lib/shopping/shopping" "bin/shopping links to '${launcher}'")

set(entry "${prefix}/share/applications/torvy-shopping.desktop")
expect("EXISTS;${entry}" "no desktop entry")
file(STRINGS "${entry}" lines)
expect("[Desktop Entry];IN_LIST;lines" "no [Desktop Entry] group")
expect("Type=Application;IN_LIST;lines" "not an application entry")
expect("Name=${PRODUCT_NAME};IN_LIST;lines" "the entry is not named ${PRODUCT_NAME}")
expect("Icon=torvy-shopping;IN_LIST;lines" "the entry names another icon")
# The prefix has a blank in it, so the path must be quoted.
expect("Exec=\"${program_dir}/shopping\";IN_LIST;lines" "Exec does not name the executable")

expect("EXISTS;${prefix}/share/icons/hicolor/scalable/apps/torvy-shopping.svg" "no scalable icon")
expect("EXISTS;${prefix}/share/icons/hicolor/48x48/apps/torvy-shopping.png" "no 48x48 icon")

# Installing again keeps a catalogue file its user has edited.
file(WRITE "${program_dir}/headings.txt" "Mine")
install_into("${prefix}")
file(READ "${program_dir}/headings.txt" headings)
expect("headings;STREQUAL;Mine" "a second install overwrote the user's headings.txt")

file(REMOVE_RECURSE ${WORK_DIR})
