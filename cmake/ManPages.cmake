# Manual pages zlc62740(1), 62740CFG(1) and 62740VIRT(1), made at build time by
# help2man from each program's own --help (for zlc62740 every subcommand's as
# well) and docs/man/NAME.txt, the sections no --help holds: they follow the
# programs instead of being kept by hand.
find_program(ZLC_HELP2MAN help2man)
find_program(ZLC_GZIP gzip)
if(NOT ZLC_HELP2MAN OR NOT ZLC_GZIP)
    message(WARNING "help2man or gzip not found: no manual pages (scripts/ensure-packages installs them)")
    return()
endif()

set(ZLC_MAN_DIR ${PROJECT_BINARY_DIR}/man)
set(ZLC_MAN_PAGES)

# zlc_man_page(NAME TARGET HELP-OPTION DESCRIPTION)
function(zlc_man_page name target help_option description)
    # help2man names the page after the program it runs: a wrapper of that name.
    set(wrapper ${ZLC_MAN_DIR}/help/${name})
    file(GENERATE OUTPUT ${wrapper}
        CONTENT "#!/bin/sh\nexec /bin/sh '${PROJECT_SOURCE_DIR}/cmake/man-help.sh' '${name}' '$<TARGET_FILE:${target}>' '${help_option}' '${PROJECT_SOURCE_DIR}/docs/man/${name}.txt' '$<TARGET_FILE:zlc62740>' \"$@\"\n"
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(page ${ZLC_MAN_DIR}/${name}.1)
    # 62740VIRT maps its board before it prints its usage: a board of the
    # build's own, and no display needed for 62740CFG.
    add_custom_command(OUTPUT ${page}.gz
        COMMAND ${CMAKE_COMMAND} -E env ZLC62740_BOARD=${ZLC_MAN_DIR}/help.board
                QT_QPA_PLATFORM=offscreen
                ${ZLC_HELP2MAN} --no-info --section=1 --name=${description}
                --manual=${PROJECT_NAME}
                --output=${page} ${wrapper}
        COMMAND ${ZLC_GZIP} -9nf ${page}
        DEPENDS ${target} zlc62740 ${PROJECT_SOURCE_DIR}/cmake/man-help.sh
                ${PROJECT_SOURCE_DIR}/docs/man/${name}.txt
        VERBATIM)
    set(ZLC_MAN_PAGES ${ZLC_MAN_PAGES} ${page}.gz PARENT_SCOPE)
endfunction()

zlc_man_page(zlc62740 zlc62740 --help "read, edit and check ZLC62740 configuration blocks")
zlc_man_page(62740VIRT 62740VIRT /? "pan a ZLC62740 panel about a virtual screen")
if(ZLC_BUILD_GUI)
    zlc_man_page(62740CFG 62740CFG --help "configure ZLC62740 LCD controller programs")
endif()

add_custom_target(manpages ALL DEPENDS ${ZLC_MAN_PAGES})
install(FILES ${ZLC_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
