// Entry point: creates the program-wide objects in their fixed order.
#include "app/Program.h"

int main()
{
    CProgram program;
    int result = 0;
    if (program.Start())
        result = program.Run();
    program.Shutdown();
    return result;
}
