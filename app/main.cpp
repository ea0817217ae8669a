#include "programmain.h"

int main(int argc, char **argv)
{
    return runKx20Config(argc, argv);
}
