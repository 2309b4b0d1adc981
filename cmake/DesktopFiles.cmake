# What a desktop expects of 62740CFG: its entry under the AppStream id, the
# software centre's metainfo, and the icon in the hicolor theme, as the SVG and
# as the PNG sizes menus and panels draw (made from the SVG at build time).
set(ZLC_APP_ID org.zlc62740.Configurator)
install(FILES ${PROJECT_SOURCE_DIR}/data/${ZLC_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/${ZLC_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/data/62740CFG.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

find_program(ZLC_RSVG_CONVERT rsvg-convert)
if(NOT ZLC_RSVG_CONVERT)
    message(WARNING "rsvg-convert not found: the icon is installed as SVG only (scripts/ensure-packages installs it)")
    return()
endif()
set(ZLC_ICONS)
foreach(size 16 22 24 32 48 64 128 256)
    set(icon ${PROJECT_BINARY_DIR}/icons/${size}x${size}/62740CFG.png)
    add_custom_command(OUTPUT ${icon}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/icons/${size}x${size}
        COMMAND ${ZLC_RSVG_CONVERT} --width=${size} --height=${size}
                --output=${icon} ${PROJECT_SOURCE_DIR}/data/62740CFG.svg
        DEPENDS ${PROJECT_SOURCE_DIR}/data/62740CFG.svg
        VERBATIM)
    list(APPEND ZLC_ICONS ${icon})
    install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(icons ALL DEPENDS ${ZLC_ICONS})
