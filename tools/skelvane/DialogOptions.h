// The command-line options that answer a plug-in's options dialog the same way
// in both commands: --scale MANTISSA EXPONENT, --cancel and --trace.
#pragma once

#include "tools/skelvane/HostUi.h"

// Takes the option at argv[*i] when it is one of these (moving *i past its
// values); false for any other argument.
bool TakeDialogOption(int argc, char** argv, int* i, HostUi* ui);
// What is wrong with the dialog options taken, or null: --scale takes a
// decimal number and a whole power of ten (the dialog itself reads any text).
const char* DialogOptionProblem(const HostUi& ui);
