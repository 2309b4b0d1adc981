# cmake --build --preset release --target package makes the Debian package
# zlc62740_VERSION_ARCH.deb of what cmake --install installs, under /usr.
# One package: the three programs share the libraries, the panel list and the
# manual; zlc62740 and 62740VIRT without 62740CFG would save only Qt, which a
# machine that configures panels for boards has anyway.

# Built as Debian builds its packages: hardened, in the optimised build only
# (the fortified functions need optimisation, the sanitizer builds their own).
add_compile_options("$<$<CONFIG:Release>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2;-fstack-protector-strong>")
add_link_options("$<$<CONFIG:Release>:LINKER:-z,relro,-z,now>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "Korvane")
set(CPACK_PACKAGE_CONTACT "ZLC62740 developers <zlc62740@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configure programs for the ZLC62740 LCD controller")
set(CPACK_PACKAGE_DESCRIPTION
    "Tools for fitting a panel to the ZLC62740 LCD controller: they find the
68-byte configuration block inside a program or boot image (raw, Motorola
S-record or Palm resource database), show and change the panel, clock and
colour settings it holds, check them, and write the block back in the file's
own container and byte order.

62740CFG is the configuration utility (Qt); zlc62740 does the same on the
command line, for scripts and CI; 62740VIRT is a console program that pans
the panel about a virtual screen.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The desktop's opener shows export previews.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)

# A package without a Debian revision carries its changelog as changelog.gz,
# compressed without a time stamp.
set(ZLC_CHANGELOG ${PROJECT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${ZLC_CHANGELOG}
    COMMAND sh -c "gzip -9n < \"$1\" > \"$2\"" sh ${PROJECT_SOURCE_DIR}/docs/changelog
            ${ZLC_CHANGELOG}
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/changelog
    VERBATIM)
add_custom_target(changelog ALL DEPENDS ${ZLC_CHANGELOG})
include(GNUInstallDirs)
install(FILES ${ZLC_CHANGELOG} DESTINATION ${CMAKE_INSTALL_DOCDIR})
