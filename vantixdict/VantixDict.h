// The whole program behind its entry point: runs one command line and returns the exit code.
// Kept apart from main so that tests run it in-process.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// args: the arguments after the program name, as UTF-8.
int RunVantixDict(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
