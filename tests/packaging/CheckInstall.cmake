# Installs the built program into a scratch prefix and checks what a desktop needs of it.
# Expects BUILD_DIR, WORK_DIR, PRODUCT_NAME and CATALOGUE_DIR.
cmake_minimum_required(VERSION 3.25)

function(expect condition message)
    if(${condition})
        return()
    endif()
    message(FATAL_ERROR "${message}")
endfunction()

file(REMOVE_RECURSE ${WORK_DIR})
set(prefix "${WORK_DIR}/my programs")
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --strip --prefix ${prefix}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
expect("result;EQUAL;0" "install failed:\n${output}")

expect("EXISTS;${prefix}/bin/shopping" "no executable in ${prefix}/bin")
expect("NOT;IS_SYMLINK;${prefix}/bin/shopping" "the executable is a link")
# Nothing beside the executable makes it take its folder for a program folder.
file(GLOB beside "${prefix}/bin/*")
expect("beside;STREQUAL;${prefix}/bin/shopping" "more than the program in bin: ${beside}")
file(GLOB catalogue RELATIVE ${CATALOGUE_DIR} ${CATALOGUE_DIR}/*.txt)
expect("headings.txt;IN_LIST;catalogue" "no headings.txt in the catalogue")
foreach(name IN LISTS catalogue)
    expect("EXISTS;${prefix}/share/shopping/catalogue/${name}" "${name} is not installed")
endforeach()

set(id example.torvy.shopping)
set(entry "${prefix}/share/applications/${id}.desktop")
file(STRINGS "${entry}" lines)
expect("Name=${PRODUCT_NAME};IN_LIST;lines" "the entry is not named ${PRODUCT_NAME}")
expect("Icon=${id};IN_LIST;lines" "the entry names another icon")
expect("MimeType=application/x-shopping-list\\;;IN_LIST;lines" "the entry opens no list files")
# The prefix has a blank in it, so the path must be quoted; %f hands over the file opened.
expect("Exec=\"${prefix}/bin/shopping\" %f;IN_LIST;lines" "Exec does not name the executable")

foreach(file icons/hicolor/scalable/apps/${id}.svg icons/hicolor/48x48/apps/${id}.png
        metainfo/${id}.metainfo.xml mime/packages/${id}.xml man/man1/shopping.1.gz)
    expect("EXISTS;${prefix}/share/${file}" "no share/${file}")
endforeach()

file(REMOVE_RECURSE ${WORK_DIR})
