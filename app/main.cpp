// Entry point: creates the program-wide objects in their fixed order.
#include "app/Program.h"

int main()
{
    CProgram program;
    return program.Main();
}
