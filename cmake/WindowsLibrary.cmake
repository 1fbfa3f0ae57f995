# ovrabjt.dll, included from src/ for the Windows build: the eleven exports
# under their plain names from the module-definition file, a version
# resource whose file version is the release's, and the C++ runtime, GCC's
# support library and the thread library linked in, so that the DLL needs
# only what every Windows has.

# The module-definition file lists the names that the Linux library's
# version script (frame/exports.map) makes global: they are written once.
set(OVRABJT_EXPORTS_MAP ${CMAKE_CURRENT_SOURCE_DIR}/frame/exports.map)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${OVRABJT_EXPORTS_MAP})
file(READ ${OVRABJT_EXPORTS_MAP} map)
string(REGEX REPLACE ".*global:(.*)local:.*" "\\1" global_names "${map}")
string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*" global_names "${global_names}")
list(JOIN global_names "\n    " def_names)
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/ovrabjt.def
  CONTENT "LIBRARY ovrabjt\nEXPORTS\n    ${def_names}\n")

configure_file(${PROJECT_SOURCE_DIR}/cmake/ovrabjt.rc.in ${CMAKE_CURRENT_BINARY_DIR}/ovrabjt.rc
  @ONLY)
target_sources(ovrabjt PRIVATE
  ${CMAKE_CURRENT_BINARY_DIR}/ovrabjt.def
  ${CMAKE_CURRENT_BINARY_DIR}/ovrabjt.rc)
set_target_properties(ovrabjt PROPERTIES
  PREFIX ""
  IMPORT_PREFIX ""
  IMPORT_SUFFIX ".lib")
target_link_options(ovrabjt PRIVATE -static -static-libgcc -static-libstdc++
  -Wl,--no-undefined -Wl,--kill-at)
