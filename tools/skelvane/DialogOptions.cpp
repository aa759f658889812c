#include "tools/skelvane/DialogOptions.h"

#include <errno.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>

bool TakeDialogOption(int argc, char** argv, int* i, HostUi* ui) {
    const char* arg = argv[*i];
    if (strcmp(arg, "--scale") == 0 && *i + 2 < argc) {
        ui->script.typeScale = true;
        ui->script.mantissaText = argv[++*i];
        ui->script.exponentText = argv[++*i];
        return true;
    }
    if (strcmp(arg, "--cancel") == 0) {
        ui->script.cancel = true;
        return true;
    }
    if (strcmp(arg, "--trace") == 0) {
        ui->printTrace = true;
        return true;
    }
    return false;
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
