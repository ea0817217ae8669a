# The user's pointer settings: Windows' own, or the Linux desktop's.
target_sources(kx20_platform PRIVATE
    pointersettings.h
    pointerscales.cpp pointerscales.h
)
if(WIN32)
    target_sources(kx20_platform PRIVATE win/pointersettings_win.cpp)
else()
    find_package(Qt6 REQUIRED COMPONENTS DBus)
    pkg_check_modules(GIO REQUIRED IMPORTED_TARGET gio-2.0)
    target_sources(kx20_platform PRIVATE
        linux/pointersettings_linux.cpp
        linux/gnomepointer.cpp linux/gnomepointer.h
        linux/kdepointer.cpp linux/kdepointer.h
        linux/kdeconfigfile.cpp linux/kdeconfigfile.h
    )
    target_include_directories(kx20_platform PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/linux)
    target_link_libraries(kx20_platform PRIVATE PkgConfig::GIO PUBLIC Qt6::DBus)
endif()
