# `cmake --install`: the programs in bin/, the read-me and the bundled samples in
# share/sorario/, a menu entry and its icon. The program finds the read-me at
# ../share/sorario from its own folder, so the two destinations move together.
set(SORARIO_INSTALL_BINDIR bin)
set(SORARIO_INSTALL_DATADIR share/sorario)

install(TARGETS sorario sorario-cli RUNTIME DESTINATION ${SORARIO_INSTALL_BINDIR})

install(FILES ${CMAKE_SOURCE_DIR}/samples/Readme.txt DESTINATION ${SORARIO_INSTALL_DATADIR})
# The question files a teacher can try at once; samples/src only makes them.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/samples/ DESTINATION ${SORARIO_INSTALL_DATADIR}
  FILES_MATCHING PATTERN "*.qvn" PATTERN "*.qvk" PATTERN "*.ctr"
  PATTERN "src" EXCLUDE)

install(FILES ${CMAKE_SOURCE_DIR}/packaging/sorario.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/sorario.svg DESTINATION share/icons/hicolor/scalable/apps)
