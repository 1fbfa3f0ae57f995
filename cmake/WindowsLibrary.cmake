# ovrabjt.dll, included from src/ for the Windows build: the eleven exports
# under their plain names from the module-definition file, a version
# resource whose file version is the release's, and the C++ runtime, GCC's
# support library and the thread library linked in, so that the DLL needs
# only what every Windows has.
configure_file(${PROJECT_SOURCE_DIR}/cmake/ovrabjt.rc.in ${CMAKE_CURRENT_BINARY_DIR}/ovrabjt.rc @ONLY)
target_sources(ovrabjt PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/frame/exports.def
  ${CMAKE_CURRENT_BINARY_DIR}/ovrabjt.rc)
set_target_properties(ovrabjt PROPERTIES
  PREFIX ""
  IMPORT_PREFIX ""
  IMPORT_SUFFIX ".lib"
  LINK_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/frame/exports.def)
target_link_options(ovrabjt PRIVATE -static -static-libgcc -static-libstdc++
  -Wl,--no-undefined -Wl,--kill-at)
