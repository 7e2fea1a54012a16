# The install folder mirrors the simulator's own folder: gauge files and the
# example panel configuration in the aircraft's panel folder, sounds where the
# ignition gauge opens them (relative to the simulator's current directory).
set(AIRCRAFT_PANEL_DIR Aircraft/kaprelo/panel)

install(TARGETS Brennovalux Delvarotine RUNTIME DESTINATION ${AIRCRAFT_PANEL_DIR} LIBRARY DESTINATION ${AIRCRAFT_PANEL_DIR})
install(FILES panel_example/panel.cfg DESTINATION ${AIRCRAFT_PANEL_DIR})
install(FILES ignition/sounds/Eg.wav ignition/sounds/Stop.wav DESTINATION Aircraft/sound/kaprelo)
