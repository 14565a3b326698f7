# Runs in CPack's staging tree before the package is made: strips the
# programs as Debian's own packaging does, also dropping the compiler's
# .comment and .note sections that a plain strip keeps.
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/*")
foreach(program IN LISTS programs)
  execute_process(COMMAND strip --remove-section=.comment --remove-section=.note --strip-unneeded "${program}"
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "cannot strip ${program}")
  endif()
endforeach()
