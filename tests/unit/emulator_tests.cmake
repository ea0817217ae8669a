kx20_add_test(test_emulator SOURCES test_emulator.cpp LIBS kx20_emulator)
