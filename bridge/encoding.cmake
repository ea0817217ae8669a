# Device encodings: button matrices, DPI registers, lighting, gun data, the
# 560 profile images and the device operations built on them.
target_sources(kx20_bridgecore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/buttonencoding.cpp ${CMAKE_CURRENT_LIST_DIR}/buttonencoding.h
    ${CMAKE_CURRENT_LIST_DIR}/dpiencoding.cpp ${CMAKE_CURRENT_LIST_DIR}/dpiencoding.h
    ${CMAKE_CURRENT_LIST_DIR}/dpilimits.cpp ${CMAKE_CURRENT_LIST_DIR}/dpilimits.h
    ${CMAKE_CURRENT_LIST_DIR}/dpirules.cpp ${CMAKE_CURRENT_LIST_DIR}/dpirules.h
    ${CMAKE_CURRENT_LIST_DIR}/gunencoding.cpp ${CMAKE_CURRENT_LIST_DIR}/gunencoding.h
    ${CMAKE_CURRENT_LIST_DIR}/lightingencoding.cpp ${CMAKE_CURRENT_LIST_DIR}/lightingencoding.h
    ${CMAKE_CURRENT_LIST_DIR}/lightingrules.cpp ${CMAKE_CURRENT_LIST_DIR}/lightingrules.h
    ${CMAKE_CURRENT_LIST_DIR}/mousefamily.h
    ${CMAKE_CURRENT_LIST_DIR}/mousefamily553.cpp ${CMAKE_CURRENT_LIST_DIR}/mousefamily553.h
    ${CMAKE_CURRENT_LIST_DIR}/mousefamily560.cpp ${CMAKE_CURRENT_LIST_DIR}/mousefamily560.h
    ${CMAKE_CURRENT_LIST_DIR}/mousemodel.cpp ${CMAKE_CURRENT_LIST_DIR}/mousemodel.h
    ${CMAKE_CURRENT_LIST_DIR}/mouseoperations.cpp ${CMAKE_CURRENT_LIST_DIR}/mouseoperations.h
    ${CMAKE_CURRENT_LIST_DIR}/profileimages.cpp ${CMAKE_CURRENT_LIST_DIR}/profileimages.h
    ${CMAKE_CURRENT_LIST_DIR}/variantbytes.cpp ${CMAKE_CURRENT_LIST_DIR}/variantbytes.h
)
# Tables the scene and kx20ctl share: key texts, report rates, lighting
# effects, button functions and the macro encoding.
target_sources(kx20_bridgecore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/functioncodes.cpp ${CMAKE_CURRENT_LIST_DIR}/functioncodes.h
    ${CMAKE_CURRENT_LIST_DIR}/keycodestring.cpp ${CMAKE_CURRENT_LIST_DIR}/keycodestring.h
    ${CMAKE_CURRENT_LIST_DIR}/lighteffects.cpp ${CMAKE_CURRENT_LIST_DIR}/lighteffects.h
    ${CMAKE_CURRENT_LIST_DIR}/macroencoder.cpp ${CMAKE_CURRENT_LIST_DIR}/macroencoder.h
    ${CMAKE_CURRENT_LIST_DIR}/reportrates.cpp ${CMAKE_CURRENT_LIST_DIR}/reportrates.h
)
