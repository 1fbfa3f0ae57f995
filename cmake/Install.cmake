# What `cmake --install` puts in place: the header, the shared library, the
# command-line tool, the document types, a pkg-config file and a CMake package
# giving ovrabjt::ovrabjt.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

install(TARGETS ovrabjt EXPORT ovrabjtTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS ovrabjt_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/include/ovrabjt/ovrabjt.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/ovrabjt)
file(GLOB OVRABJT_DTDS ${PROJECT_SOURCE_DIR}/data/*.dtd)
install(FILES ${OVRABJT_DTDS} DESTINATION ${CMAKE_INSTALL_DATADIR}/ovrabjt)

configure_file(${CMAKE_CURRENT_LIST_DIR}/ovrabjt.pc.in ${PROJECT_BINARY_DIR}/ovrabjt.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/ovrabjt.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

install(EXPORT ovrabjtTargets NAMESPACE ovrabjt::
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/ovrabjt)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/ovrabjtConfig.cmake.in
  ${PROJECT_BINARY_DIR}/ovrabjtConfig.cmake
  INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/ovrabjt
  PATH_VARS CMAKE_INSTALL_DATADIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/ovrabjtConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/ovrabjtConfig.cmake ${PROJECT_BINARY_DIR}/ovrabjtConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/ovrabjt)
