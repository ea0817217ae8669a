# System-wide capture on a real X server that the test starts itself (Xvfb,
# driven by xdotool; skipped when either is missing).
if(NOT WIN32)
    kx20_add_test(test_inputcapture_x11 SOURCES test_inputcapture_x11.cpp
        LIBS kx20_app)
    set_tests_properties(test_inputcapture_x11 PROPERTIES SKIP_RETURN_CODE 77)
endif()
# The focus watch on its own Xvfb, the window manager's part played by the
# test (skipped when Xvfb is missing).
if(NOT WIN32)
    kx20_add_test(test_activewindow_x11 SOURCES test_activewindow_x11.cpp LIBS kx20_platform)
    set_tests_properties(test_activewindow_x11 PROPERTIES SKIP_RETURN_CODE 77)
endif()
