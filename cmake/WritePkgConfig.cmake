# Writes ovrabjt.pc (PC_OUT, from PC_IN) for an install into PREFIX. LIBDIR,
# INCLUDEDIR and DATADIR are the install's folders, relative to PREFIX or
# absolute; VERSION is the release's file version. Run by `cmake --install`,
# and by the install test for other folders.
foreach(folder LIBDIR INCLUDEDIR DATADIR)
  if(IS_ABSOLUTE "${${folder}}")
    set(PC_${folder} "${${folder}}")
  else()
    set(PC_${folder} "\${prefix}/${${folder}}")
  endif()
endforeach()
configure_file("${PC_IN}" "${PC_OUT}" @ONLY)
