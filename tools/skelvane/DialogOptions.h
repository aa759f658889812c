// The command-line options that answer a plug-in's options dialog the same way
// in both commands: --scale MANTISSA EXPONENT, --cancel and --trace.
#pragma once

#include "tools/skelvane/CommandLine.h"
#include "tools/skelvane/HostUi.h"

// Their ids, apart from those of the commands' own options.
enum : int { kOptionScale = 100, kOptionCancel, kOptionTrace };

constexpr OptionSpec kScaleOption = {
    kOptionScale, "--scale", "MANTISSA EXPONENT",
    "type the two fields of \"拡大率\": the scale is MANTISSA x 10^EXPONENT (2.5 -1 is 0.25); "
    "without it the dialog's stored values are used",
    false};
constexpr OptionSpec kCancelOption = {kOptionCancel, "--cancel", nullptr,
                                      "press \"キャンセル\" instead of confirming", false};
constexpr OptionSpec kTraceOption = {kOptionTrace, "--trace", nullptr,
                                     "print the plug-in's trace lines on stderr", false};

// Applies the option when it is one of these; false for any other.
bool TakeDialogOption(const OptionUse& use, HostUi* ui);
// What is wrong with the dialog options taken, or null: --scale takes a
// decimal number and a whole power of ten (the dialog itself reads any text).
const char* DialogOptionProblem(const HostUi& ui);
