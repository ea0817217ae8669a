kx20_add_test(test_keytables SOURCES test_keytables.cpp LIBS kx20_app)
kx20_add_test(test_inputhooks SOURCES test_inputhooks.cpp LIBS kx20_app)
