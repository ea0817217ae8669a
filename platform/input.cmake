# Global key and button capture, and the copy-data filter.
target_sources(kx20_platform PRIVATE
    inputsink.h
    globalinputcapture.h
    copydatafilter.cpp copydatafilter.h
)
target_link_libraries(kx20_platform PUBLIC kx20_keys)
if(WIN32)
    target_sources(kx20_platform PRIVATE
        win/globalinputcapture_win.cpp
        win/copydatafilter_win.cpp
    )
else()
    pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11)
    pkg_check_modules(XTST REQUIRED IMPORTED_TARGET xtst)
    target_sources(kx20_platform PRIVATE
        linux/globalinputcapture_x11.cpp
        linux/copydatafilter_linux.cpp
    )
    target_link_libraries(kx20_platform PRIVATE PkgConfig::X11 PkgConfig::XTST)
endif()
