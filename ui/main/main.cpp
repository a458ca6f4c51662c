#include "ui/main/start_program.h"

int main(int argc, char** argv) { return sg8::startProgram(argc, argv); }
