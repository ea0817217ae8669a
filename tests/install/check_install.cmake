# Installs the build into a fresh folder and runs the programs from there:
# the folder must be complete on its own.
set(prefix "${WORK}/installed")
file(REMOVE_RECURSE "${prefix}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${prefix}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(file kx20-config kx20-config-demo 70-kx20-mouse.rules kx20-config.desktop INSTALL.txt
             modules/setting/apConfig.bin modules/setting/p1.bin modules/i18n/English.ini modules/img/logo.ico)
    if(NOT EXISTS "${prefix}/${file}")
        message(FATAL_ERROR "installed folder lacks ${file}")
    endif()
endforeach()
file(READ "${prefix}/kx20-config.desktop" desktop)
if(NOT desktop MATCHES "Exec=${prefix}/kx20-config")
    message(FATAL_ERROR "desktop entry does not start the installed program")
endif()
if(EXISTS "${prefix}/kx20ctl")
    execute_process(COMMAND "${prefix}/kx20ctl" --emulate info RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "installed kx20ctl --emulate info failed (${result}): ${err}")
    endif()
endif()
# The demo runs until it is stopped; it must get as far as connecting.
execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen "${prefix}/kx20-config-demo"
                TIMEOUT 8 OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT err MATCHES "Device Connect")
    message(FATAL_ERROR "installed kx20-config-demo did not connect: ${err}")
endif()
