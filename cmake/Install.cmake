# What `cmake --install` puts in place: the header, the shared library, the
# command-line tool with its manual page and bash completion, the document
# types, a pkg-config file and a CMake package giving ovrabjt::ovrabjt.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# On Windows the DLL goes beside the programs and its import library to the
# library folder.
install(TARGETS ovrabjt EXPORT ovrabjtTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS ovrabjt_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/include/ovrabjt/ovrabjt.h
  ${PROJECT_BINARY_DIR}/include/ovrabjt/ovrabjt_version.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ovrabjt)
file(GLOB OVRABJT_DTDS ${PROJECT_SOURCE_DIR}/data/*.dtd)
install(FILES ${OVRABJT_DTDS} DESTINATION ${CMAKE_INSTALL_DATADIR}/ovrabjt)
install(FILES ${PROJECT_SOURCE_DIR}/tools/ovrabjt/ovrabjt.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/tools/ovrabjt/ovrabjt.bash
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME ovrabjt)

# ovrabjt.pc names the folders of the prefix the install really goes to
# (`--prefix` may differ from the configured one), so it is written when
# installing.
install(CODE "
  set(PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
  set(LIBDIR \"${CMAKE_INSTALL_LIBDIR}\")
  set(INCLUDEDIR \"${CMAKE_INSTALL_INCLUDEDIR}\")
  set(DATADIR \"${CMAKE_INSTALL_DATADIR}\")
  set(VERSION \"${OVRABJT_RELEASE}\")
  set(PC_IN \"${CMAKE_CURRENT_LIST_DIR}/ovrabjt.pc.in\")
  set(PC_OUT \"${PROJECT_BINARY_DIR}/pkgconfig/ovrabjt.pc\")
  include(\"${CMAKE_CURRENT_LIST_DIR}/WritePkgConfig.cmake\")")
install(FILES ${PROJECT_BINARY_DIR}/pkgconfig/ovrabjt.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(EXPORT ovrabjtTargets NAMESPACE ovrabjt::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/ovrabjt)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/ovrabjtConfig.cmake.in
  ${PROJECT_BINARY_DIR}/ovrabjtConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/ovrabjt
  PATH_VARS CMAKE_INSTALL_DATADIR)
# Releases are not ordered by their numbers ("10.0.06" came before "3.6.09")
# and all have the same interface: a version asked of find_package names one
# release exactly.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/ovrabjtConfigVersion.cmake
  COMPATIBILITY ExactVersion)
install(FILES ${PROJECT_BINARY_DIR}/ovrabjtConfig.cmake ${PROJECT_BINARY_DIR}/ovrabjtConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/ovrabjt)
