// The four commands. Each returns the process exit code (ExitDone, ExitRefused, ExitError).
#pragma once

#include "Arguments.h"
#include "CommandSupport.h"

int RunCheck(const Arguments& arguments, Console& console);
int RunConvert(const Arguments& arguments, Console& console);
int RunSort(const Arguments& arguments, Console& console);
int RunStats(const Arguments& arguments, Console& console);
