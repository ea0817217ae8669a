#include "programinfo.h"
#include "programmain.h"

int main(int argc, char **argv)
{
    if (const auto answered = ProgramInfo::answer(argc, argv, ProgramInfo::kProgram))
        return *answered;
    return runKx20Config(argc, argv);
}
