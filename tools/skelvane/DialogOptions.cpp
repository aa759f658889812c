#include "tools/skelvane/DialogOptions.h"

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
