# The scene's pictures: SVG drawings under modules/img/src, rendered at build
# time to the PNG resources the QML names. modules/img/pictures.txt lists each
# picture's resource path and size; every picture is also rendered at twice
# its size as <name>@2x.png beside it, which Qt Quick picks on 200 % screens.
#
#   include(${CMAKE_SOURCE_DIR}/cmake/scene_pictures.cmake)
#   kx20_add_scene_pictures(<target>)
#
# Call it in the CMakeLists.txt that creates <target> (the rendered files are
# outputs of custom commands, which only targets of the same directory see).
# The resources keep the manifest's paths, so
# "qrc:/index/modules/img/skin1/index/close.png" loads the rendered close.png.
#
# Configuring fails when a manifest line is malformed, names a path outside
# the two picture layouts or has no drawing; building fails when a drawing's
# size or viewBox differs from the manifest or a rendered PNG has the wrong
# size. The same file, run with "cmake -P", renders one picture.

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    # Render mode: SVG, PNG, PNG2X, WIDTH, HEIGHT, RSVG are given with -D.
    file(READ "${SVG}" svg_text)
    if(NOT svg_text MATCHES "<svg[^>]*>")
        message(FATAL_ERROR "${SVG}: no <svg> element")
    endif()
    set(root "${CMAKE_MATCH_0}")
    # The drawing must be laid out at the picture's size: rsvg-convert would
    # otherwise stretch it to the manifest's size and distort it.
    set(expected_box "0 0 ${WIDTH} ${HEIGHT}")
    set(svg_w "")
    set(svg_h "")
    set(svg_box "")
    if(root MATCHES "[ \t\r\n]width=\"([0-9]+)\"")
        set(svg_w "${CMAKE_MATCH_1}")
    endif()
    if(root MATCHES "[ \t\r\n]height=\"([0-9]+)\"")
        set(svg_h "${CMAKE_MATCH_1}")
    endif()
    if(root MATCHES "[ \t\r\n]viewBox=\"([^\"]*)\"")
        set(svg_box "${CMAKE_MATCH_1}")
    endif()
    if(NOT svg_w STREQUAL WIDTH OR NOT svg_h STREQUAL HEIGHT OR NOT svg_box STREQUAL expected_box)
        message(FATAL_ERROR "${SVG}: the <svg> element must have width=\"${WIDTH}\" "
                            "height=\"${HEIGHT}\" viewBox=\"${expected_box}\" as pictures.txt says")
    endif()

    foreach(scale 1 2)
        if(scale EQUAL 1)
            set(out "${PNG}")
        else()
            set(out "${PNG2X}")
        endif()
        math(EXPR w "${WIDTH} * ${scale}")
        math(EXPR h "${HEIGHT} * ${scale}")
        get_filename_component(dir "${out}" DIRECTORY)
        file(MAKE_DIRECTORY "${dir}")
        execute_process(COMMAND "${RSVG}" --format=png -w ${w} -h ${h} -o "${out}" "${SVG}"
                        RESULT_VARIABLE rc ERROR_VARIABLE err)
        if(NOT rc EQUAL 0)
            file(REMOVE "${PNG}" "${PNG2X}")
            message(FATAL_ERROR "rsvg-convert failed on ${SVG}: ${err}")
        endif()
        # Width and height are the first two fields of the PNG header chunk.
        file(READ "${out}" signature LIMIT 8 HEX)
        file(READ "${out}" header OFFSET 16 LIMIT 8 HEX)
        string(SUBSTRING "${header}" 0 8 hex_w)
        string(SUBSTRING "${header}" 8 8 hex_h)
        math(EXPR got_w "0x${hex_w}")
        math(EXPR got_h "0x${hex_h}")
        if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT got_w EQUAL w OR NOT got_h EQUAL h)
            file(REMOVE "${PNG}" "${PNG2X}")
            message(FATAL_ERROR "${out}: rendered as ${got_w} x ${got_h}, expected ${w} x ${h}")
        endif()
    endforeach()
    return()
endif()

include_guard(GLOBAL)

find_program(KX20_RSVG_CONVERT rsvg-convert REQUIRED)
set(KX20_SCENE_PICTURES_SCRIPT "${CMAKE_CURRENT_LIST_FILE}")

function(kx20_add_scene_pictures target)
    get_filename_component(img_dir "${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../modules/img" ABSOLUTE)
    set(manifest "${img_dir}/pictures.txt")
    set(out_root "${CMAKE_CURRENT_BINARY_DIR}/${target}_scene_pictures")
    # A new or removed line must change the build: read the manifest again
    # whenever it changes.
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${manifest}")

    file(STRINGS "${manifest}" lines)
    set(line_no 0)
    set(paths "")
    set(files "")
    foreach(line IN LISTS lines)
        math(EXPR line_no "${line_no} + 1")
        string(REGEX REPLACE "#.*$" "" line "${line}")
        string(STRIP "${line}" line)
        if(line STREQUAL "")
            continue()
        endif()
        if(NOT line MATCHES "^(/[^ \t]+\\.png)[ \t]+([1-9][0-9]*)[ \t]+([1-9][0-9]*)$")
            message(FATAL_ERROR "${manifest}:${line_no}: expected \"<resource path>.png <width> <height>\"")
        endif()
        set(path "${CMAKE_MATCH_1}")
        set(width "${CMAKE_MATCH_2}")
        set(height "${CMAKE_MATCH_3}")
        if(path IN_LIST paths)
            message(FATAL_ERROR "${manifest}:${line_no}: ${path} is listed twice")
        endif()
        list(APPEND paths "${path}")

        # Skinned pictures sit under their group twice: /<group>/modules/img/skin<n>/<group>/<name>.png.
        if(path MATCHES "^/([^/]+)/modules/img/skin[0-9]+/([^/]+)/([^/]+)\\.png$"
           AND CMAKE_MATCH_1 STREQUAL CMAKE_MATCH_2)
            set(svg "${img_dir}/src/${CMAKE_MATCH_1}/${CMAKE_MATCH_3}.svg")
        elseif(path MATCHES "^/modules/img/([^/]+)\\.png$")
            set(svg "${img_dir}/src/${CMAKE_MATCH_1}.svg")
        else()
            message(FATAL_ERROR "${manifest}:${line_no}: ${path} is neither /modules/img/<name>.png "
                                "nor /<group>/modules/img/skin<n>/<group>/<name>.png")
        endif()
        if(NOT EXISTS "${svg}")
            message(FATAL_ERROR "${manifest}:${line_no}: ${path} has no drawing ${svg}")
        endif()

        set(png "${out_root}${path}")
        string(REGEX REPLACE "\\.png$" "@2x.png" png2x "${png}")
        add_custom_command(
            OUTPUT "${png}" "${png2x}"
            COMMAND "${CMAKE_COMMAND}" "-DSVG=${svg}" "-DPNG=${png}" "-DPNG2X=${png2x}"
                    "-DWIDTH=${width}" "-DHEIGHT=${height}" "-DRSVG=${KX20_RSVG_CONVERT}"
                    -P "${KX20_SCENE_PICTURES_SCRIPT}"
            DEPENDS "${svg}" "${KX20_SCENE_PICTURES_SCRIPT}"
            COMMENT "Rendering picture ${path}"
            VERBATIM)
        list(APPEND files "${png}" "${png2x}")
    endforeach()

    qt_add_resources(${target} "${target}_scene_pictures"
        PREFIX "/"
        BASE "${out_root}"
        FILES ${files})
endfunction()
