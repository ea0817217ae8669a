# Key and button capture: key tables, the event dispatcher, the fallback to
# our own windows and the holder that chooses between them.
target_sources(kx20_app PRIVATE
    keytables.cpp keytables.h
    hookdispatcher.cpp hookdispatcher.h
    ownwindowcapture.cpp ownwindowcapture.h
    inputhookholder.cpp inputhookholder.h
)
target_link_libraries(kx20_app PUBLIC kx20_platform)
