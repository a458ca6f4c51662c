#pragma once

namespace sg8 {

/// The program's entry: makes the model, shows MainWindow (loading the file named
/// on the command line, if any) and runs the message loop until it closes.
int startProgram(int argc, char** argv);

}  // namespace sg8
