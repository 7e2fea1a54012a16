# The release package for simulator users, panel-gauges-<version>-win32.zip in
# the build tree, made by every build: the component "simulator" of the
# install rules (gauge files, sounds, example panel.cfg, read-me, SHA256SUMS)
# staged with `cmake --install`, then packed by CPack's ZIP generator below a
# folder of the package's name. CPack installs no CMake project itself, so it
# needs no build tool: the staging names exactly what it packs.
set(RELEASE_STAGE ${CMAKE_BINARY_DIR}/release/stage)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME panel-gauges)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(RELEASE_NAME panel-gauges-${PROJECT_VERSION}-win32)
set(CPACK_PACKAGE_FILE_NAME ${RELEASE_NAME})
set(CPACK_INSTALL_CMAKE_PROJECTS "")
set(CPACK_INSTALLED_DIRECTORIES "${RELEASE_STAGE};.")
include(CPack)

set(RELEASE_PACKAGE ${CMAKE_BINARY_DIR}/${RELEASE_NAME}.zip)
add_custom_command(OUTPUT ${RELEASE_PACKAGE}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${RELEASE_STAGE}
    COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --component simulator
        --prefix ${RELEASE_STAGE}
    COMMAND ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
    DEPENDS Brennovalux Delvarotine panel_example/panel.cfg ignition/sounds/Eg.wav
        ignition/sounds/Stop.wav ${CMAKE_BINARY_DIR}/release/README.txt
        cmake/write_sha256sums.cmake
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    COMMENT "Packing ${RELEASE_NAME}.zip"
    VERBATIM)
add_custom_target(release_package ALL DEPENDS ${RELEASE_PACKAGE})
