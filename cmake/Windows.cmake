# The Windows build (cmake/mingw-w64-x86_64.cmake), included before the
# sources: what differs from the Linux build outside the module's code.

# Every program is linked with the compiler's runtime inside, so that it
# runs beside the DLL, and under Wine, without the compiler's own DLLs.
add_link_options(-static)

# The DLL and every program in one folder, where Windows looks for a
# program's DLLs first.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)

# The tool's header-only libraries come from the build machine. Their own
# packages would add the machine's /usr/include, whose C library headers
# must not reach a Windows build: their headers alone are staged here.
set(OVRABJT_HOST_HEADERS ${PROJECT_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${OVRABJT_HOST_HEADERS})
foreach(folder CLI nlohmann)
  if(NOT EXISTS ${OVRABJT_HOST_HEADERS}/${folder})
    file(CREATE_LINK /usr/include/${folder} ${OVRABJT_HOST_HEADERS}/${folder} SYMBOLIC)
  endif()
endforeach()
foreach(package CLI11 nlohmann_json)
  set(config ${PROJECT_BINARY_DIR}/host-packages/${package})
  file(WRITE ${config}/${package}Config.cmake
    "if(NOT TARGET ${package}::${package})\n"
    "  add_library(${package}::${package} INTERFACE IMPORTED)\n"
    "  set_target_properties(${package}::${package} PROPERTIES\n"
    "    INTERFACE_INCLUDE_DIRECTORIES ${OVRABJT_HOST_HEADERS})\n"
    "endif()\n")
  # The version the machine's own package says.
  file(COPY /usr/share/cmake/${package}/${package}ConfigVersion.cmake DESTINATION ${config})
  set(${package}_DIR ${config} CACHE PATH "" FORCE)
endforeach()

# Where the programs see the build machine's folders (the source tree's
# document types for the tool in its build folder): under Wine on drive Z:,
# in a build on Windows itself as they are.
if(CMAKE_HOST_UNIX)
  set(OVRABJT_HOST_DRIVE "Z:")
else()
  set(OVRABJT_HOST_DRIVE "")
endif()
