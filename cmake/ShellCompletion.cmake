# The bash completion script for zlc62740, printed by the program itself at
# build time: it asks the program what may follow, so it never falls behind
# the program's subcommands, options and setting names.
set(ZLC_COMPLETION ${PROJECT_BINARY_DIR}/completion/zlc62740)
add_custom_command(
    OUTPUT ${ZLC_COMPLETION}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/completion
    COMMAND sh -c "\"$1\" __complete bash > \"$2\"" sh $<TARGET_FILE:zlc62740> ${ZLC_COMPLETION}
    DEPENDS zlc62740
    VERBATIM)
add_custom_target(shell-completion ALL DEPENDS ${ZLC_COMPLETION})
install(FILES ${ZLC_COMPLETION} DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
