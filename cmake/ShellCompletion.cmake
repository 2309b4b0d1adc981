# The shells' completion scripts for zlc62740, printed by the program itself at
# build time: they ask the program what may follow, so they never fall behind
# its subcommands, options and setting names.
set(ZLC_COMPLETION_DIR ${PROJECT_BINARY_DIR}/completion)
add_custom_command(
    OUTPUT ${ZLC_COMPLETION_DIR}/zlc62740 ${ZLC_COMPLETION_DIR}/_zlc62740
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ZLC_COMPLETION_DIR}
    COMMAND sh -c "\"$1\" __complete bash > \"$2\" && \"$1\" __complete zsh > \"$3\""
            sh $<TARGET_FILE:zlc62740> ${ZLC_COMPLETION_DIR}/zlc62740
            ${ZLC_COMPLETION_DIR}/_zlc62740
    DEPENDS zlc62740
    VERBATIM)
add_custom_target(shell-completion ALL
    DEPENDS ${ZLC_COMPLETION_DIR}/zlc62740 ${ZLC_COMPLETION_DIR}/_zlc62740)
install(FILES ${ZLC_COMPLETION_DIR}/zlc62740
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${ZLC_COMPLETION_DIR}/_zlc62740
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
