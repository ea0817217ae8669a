kx20_add_test(test_mouseoperations553 SOURCES test_mouseoperations553.cpp
    LIBS kx20_bridgecore kx20_emulator)
kx20_add_test(test_mouseoperations560 SOURCES test_mouseoperations560.cpp
    LIBS kx20_bridgecore kx20_emulator)
kx20_add_test(test_changegroups SOURCES test_changegroups.cpp
    LIBS kx20_bridgecore kx20_emulator)
kx20_add_test(test_protocoltable SOURCES test_protocoltable.cpp LIBS kx20_device kx20_emulator)
