// halvorn: the teaching tool's window.

#include "app/Program.h"

int main(int argc, char** argv) { return halvorn::RunProgram(argc, argv); }
