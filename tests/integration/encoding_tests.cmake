set(KX20_OPERATIONS_FIXTURE operationsfixture.h operationsfixture.cpp devicelinkfixture.h devicelinkfixture.cpp)
kx20_add_test(test_mouseoperations553 SOURCES test_mouseoperations553.cpp ${KX20_OPERATIONS_FIXTURE}
    LIBS kx20_bridge kx20_emulator)
kx20_add_test(test_mouseoperations560 SOURCES test_mouseoperations560.cpp ${KX20_OPERATIONS_FIXTURE}
    LIBS kx20_bridge kx20_emulator)
