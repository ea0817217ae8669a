# Copies the installed data folders of modules/ from SRC to DST, file by file,
# only where DST has no copy or an older one, so settings that the program
# wrote while running from the build tree survive a rebuild.
foreach(folder setting macro gun i18n img)
    if(NOT IS_DIRECTORY "${SRC}/${folder}")
        continue()
    endif()
    file(GLOB_RECURSE files RELATIVE "${SRC}/${folder}" "${SRC}/${folder}/*")
    file(MAKE_DIRECTORY "${DST}/${folder}")
    foreach(f ${files})
        # The pictures' drawings and their list are compiled in, not read at run time.
        if(folder STREQUAL "img" AND (f MATCHES "^src/" OR f STREQUAL "pictures.txt"))
            continue()
        endif()
        if(NOT EXISTS "${DST}/${folder}/${f}" OR "${SRC}/${folder}/${f}" IS_NEWER_THAN "${DST}/${folder}/${f}")
            get_filename_component(dir "${DST}/${folder}/${f}" DIRECTORY)
            file(COPY "${SRC}/${folder}/${f}" DESTINATION "${dir}")
        endif()
    endforeach()
endforeach()
