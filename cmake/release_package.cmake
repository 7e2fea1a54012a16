# The release package for simulator users, panel-gauges-<version>-win32.zip in
# the build tree, made by every build: the component "simulator" of the
# install rules (gauge files, sounds, example panel.cfg, read-me, SHA256SUMS)
# staged with `cmake --install`, then packed below a folder of the package's
# name by cmake/write_release_zip.py, every entry in path order with the
# release time and fixed modes: the same source makes the same package.
set(RELEASE_STAGE ${CMAKE_BINARY_DIR}/release/stage)
set(RELEASE_NAME panel-gauges-${PROJECT_VERSION}-win32)
set(RELEASE_PACKAGE ${CMAKE_BINARY_DIR}/${RELEASE_NAME}.zip)
set(RELEASE_ZIP_WRITER ${CMAKE_SOURCE_DIR}/cmake/write_release_zip.py)
add_custom_command(OUTPUT ${RELEASE_PACKAGE}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${RELEASE_STAGE}
    COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --component simulator
        --prefix ${RELEASE_STAGE}
    COMMAND ${Python3_EXECUTABLE} ${RELEASE_ZIP_WRITER} ${RELEASE_STAGE} ${RELEASE_NAME}
        ${PANEL_RELEASE_TIME} ${RELEASE_PACKAGE}
    DEPENDS Brennovalux Delvarotine panel_example/panel.cfg panel_example/panel_background.bmp
        ignition/sounds/Eg.wav
        ignition/sounds/Stop.wav ${CMAKE_BINARY_DIR}/release/README.txt cmake/install_folder.cmake
        cmake/write_sha256sums.cmake ${RELEASE_ZIP_WRITER} ${PANEL_RELEASE_TIME_FILE}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    COMMENT "Packing ${RELEASE_NAME}.zip"
    VERBATIM)
add_custom_target(release_package ALL DEPENDS ${RELEASE_PACKAGE})
