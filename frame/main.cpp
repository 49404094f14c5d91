// Tarvello 16bit.

#include "Program.hpp"

int main(int argc, char **argv)
{
    return frame::runProgram(argc, argv);
}
