# The install folder mirrors the simulator's own folder: gauge files and the
# example panel configuration with its background bitmap in the aircraft's
# panel folder, sounds where the ignition gauge opens them (relative to the
# simulator's current directory).
# These files, with a read-me and their sums, are the component "simulator",
# which the release package holds.
set(AIRCRAFT_PANEL_DIR Aircraft/kaprelo/panel)
set(AIRCRAFT_SOUND_DIR Aircraft/sound/kaprelo)

install(TARGETS Brennovalux Delvarotine
    RUNTIME DESTINATION ${AIRCRAFT_PANEL_DIR} COMPONENT simulator
    LIBRARY DESTINATION ${AIRCRAFT_PANEL_DIR} COMPONENT simulator)
install(FILES panel_example/panel.cfg panel_example/panel_background.bmp
    DESTINATION ${AIRCRAFT_PANEL_DIR} COMPONENT simulator)
install(FILES ignition/sounds/Eg.wav ignition/sounds/Stop.wav
    DESTINATION ${AIRCRAFT_SOUND_DIR} COMPONENT simulator)

# The read-me for simulator users, with Windows line endings.
configure_file(release/README.txt.in ${CMAKE_BINARY_DIR}/release/README.txt @ONLY
    NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_BINARY_DIR}/release/README.txt DESTINATION . COMPONENT simulator)

set(PANEL_RELEASE_FILES
    ${AIRCRAFT_PANEL_DIR}/Brennovalux.gau ${AIRCRAFT_PANEL_DIR}/Delvarotine.gau
    ${AIRCRAFT_PANEL_DIR}/panel.cfg ${AIRCRAFT_PANEL_DIR}/panel_background.bmp
    ${AIRCRAFT_SOUND_DIR}/Eg.wav ${AIRCRAFT_SOUND_DIR}/Stop.wav
    README.txt)
install(CODE "set(PANEL_RELEASE_FILES \"${PANEL_RELEASE_FILES}\")" COMPONENT simulator)
install(SCRIPT cmake/write_sha256sums.cmake COMPONENT simulator)
