# Brings the shipped data tree into the build folder's working copy without
# overwriting what the program or its user changed there.
#
# A file is copied when the working copy lacks it, or when the working copy
# still equals what was last shipped and the shipped file has changed since.
# A file the user edited (a profile, the name index, a macro) is kept.
# The last shipped tree is remembered beside the working copy.
#
# Run as: cmake -DSOURCE=<data/modules> -DTARGET=<build/modules>
#               -DSHIPPED=<build/.shipped-modules> -P SeedData.cmake
file(GLOB_RECURSE shipped_files RELATIVE "${SOURCE}" "${SOURCE}/*")
foreach(rel IN LISTS shipped_files)
  set(src "${SOURCE}/${rel}")
  set(dst "${TARGET}/${rel}")
  set(last "${SHIPPED}/${rel}")
  set(copy FALSE)
  if(NOT EXISTS "${dst}")
    set(copy TRUE)
  elseif(EXISTS "${last}")
    file(SHA256 "${src}" src_hash)
    file(SHA256 "${last}" last_hash)
    if(NOT src_hash STREQUAL last_hash)
      file(SHA256 "${dst}" dst_hash)
      if(dst_hash STREQUAL last_hash)
        set(copy TRUE)
      endif()
    endif()
  endif()
  if(copy)
    get_filename_component(dir "${dst}" DIRECTORY)
    file(MAKE_DIRECTORY "${dir}")
    file(COPY_FILE "${src}" "${dst}")
  endif()
  get_filename_component(last_dir "${last}" DIRECTORY)
  file(MAKE_DIRECTORY "${last_dir}")
  file(COPY_FILE "${src}" "${last}" ONLY_IF_DIFFERENT)
endforeach()
