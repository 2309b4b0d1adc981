# cmake --install puts the programs into bin/, PANELS.DEF into share/zlc62740/
# (where an installed program looks when there is none beside it), the manual
# pages, the shell completions, what a desktop expects of 62740CFG, and the
# documents into share/doc/zlc62740/.
include(GNUInstallDirs)

install(TARGETS zlc62740 62740VIRT RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/PANELS.DEF DESTINATION ${CMAKE_INSTALL_DATADIR}/zlc62740)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/docs/board.md
              ${PROJECT_SOURCE_DIR}/docs/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
if(ZLC_BUILD_GUI)
    install(TARGETS 62740CFG RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    include(${CMAKE_CURRENT_LIST_DIR}/DesktopFiles.cmake)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/ManPages.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/ShellCompletion.cmake)
