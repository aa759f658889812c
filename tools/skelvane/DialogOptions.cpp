#include "tools/skelvane/DialogOptions.h"

#include <errno.h>
#include <math.h>
#include <stdlib.h>

bool TakeDialogOption(const OptionUse& use, HostUi* ui) {
    switch (use.option->id) {
    case kOptionScale:
        ui->script.typeScale = true;
        ui->script.mantissaText = use.values[0];
        ui->script.exponentText = use.values[1];
        return true;
    case kOptionCancel:
        ui->script.cancel = true;
        return true;
    case kOptionTrace:
        ui->printTrace = true;
        return true;
    default:
        return false;
    }
}

namespace {

bool IsNumber(const std::string& text) {
    char* end = nullptr;
    errno = 0;
    double value = strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0' && errno == 0 && isfinite(value);
}

bool IsPowerOfTen(const std::string& text) {
    char* end = nullptr;
    long value = strtol(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && value >= -128 && value <= 127;
}

} // namespace

const char* DialogOptionProblem(const HostUi& ui) {
    if (ui.script.typeScale &&
        (!IsNumber(ui.script.mantissaText) || !IsPowerOfTen(ui.script.exponentText)))
        return "--scale takes a number and a whole power of ten from -128 to 127";
    return nullptr;
}
