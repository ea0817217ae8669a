# Stored configuration: settings and profile files, macro library, gun data,
# language strings and the file dialogs they use.
target_sources(kx20_bridgecore PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/applicationrules.cpp ${CMAKE_CURRENT_LIST_DIR}/applicationrules.h
    ${CMAKE_CURRENT_LIST_DIR}/filedialogs.cpp ${CMAKE_CURRENT_LIST_DIR}/filedialogs.h
    ${CMAKE_CURRENT_LIST_DIR}/gunlibrary.cpp ${CMAKE_CURRENT_LIST_DIR}/gunlibrary.h
    ${CMAKE_CURRENT_LIST_DIR}/languagechoice.cpp ${CMAKE_CURRENT_LIST_DIR}/languagechoice.h
    ${CMAKE_CURRENT_LIST_DIR}/languagestrings.cpp ${CMAKE_CURRENT_LIST_DIR}/languagestrings.h
    ${CMAKE_CURRENT_LIST_DIR}/macrolibrary.cpp ${CMAKE_CURRENT_LIST_DIR}/macrolibrary.h
    ${CMAKE_CURRENT_LIST_DIR}/modulesfolder.cpp ${CMAKE_CURRENT_LIST_DIR}/modulesfolder.h
    ${CMAKE_CURRENT_LIST_DIR}/profilelist.cpp ${CMAKE_CURRENT_LIST_DIR}/profilelist.h
    ${CMAKE_CURRENT_LIST_DIR}/settingsfiles.cpp ${CMAKE_CURRENT_LIST_DIR}/settingsfiles.h
    ${CMAKE_CURRENT_LIST_DIR}/storeconventions.cpp ${CMAKE_CURRENT_LIST_DIR}/storeconventions.h
)

# The product's own device table, compiled in as :/modules/DevInfo.ini.
qt_add_resources(kx20_bridgecore "devinfo"
    PREFIX "/modules"
    BASE "${CMAKE_CURRENT_LIST_DIR}/resources"
    FILES "${CMAKE_CURRENT_LIST_DIR}/resources/DevInfo.ini"
)

# The English texts, built in: every text a language file lacks falls back to them.
qt_add_resources(kx20_bridgecore "builtinlanguage"
    PREFIX "/builtin"
    BASE "${CMAKE_SOURCE_DIR}/modules/i18n"
    FILES "${CMAKE_SOURCE_DIR}/modules/i18n/English.ini"
)
