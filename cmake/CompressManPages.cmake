# Run by CPack before it packs the staged files: Debian wants manual pages gzipped (a
# plain `cmake --install` keeps them as they are, which man reads as well).
file(GLOB_RECURSE pages "${CPACK_TEMPORARY_DIRECTORY}/*/share/man/man*/*.[1-9]")
foreach(page IN LISTS pages)
  execute_process(COMMAND gzip -9nf "${page}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "could not compress ${page}")
  endif()
endforeach()
