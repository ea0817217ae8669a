# Key and button capture: the event dispatcher, the fallback to our own
# windows and the holder that chooses between them (the key tables are in
# keys/).
target_sources(kx20_app PRIVATE
    hookdispatcher.cpp hookdispatcher.h
    ownwindowcapture.cpp ownwindowcapture.h
    inputhookholder.cpp inputhookholder.h
)
target_link_libraries(kx20_app PUBLIC kx20_platform)
