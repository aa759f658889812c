#include "tools/skelvane/HostUi.h"

#include <signal.h>
#include <stdio.h>

#include "platform/posix/PosixHost.h"
#include "tools/skelvane/TextEncoding.h"

static int32_t PrintMessageBox(void* user, const char* text, const char* caption,
                               uint32_t /*style*/) {
    HostUi* ui = static_cast<HostUi*>(user);
    ++ui->messageCount;
    fprintf(stderr, "[%s]\n%s\n\n", ShiftJisToUtf8(caption).c_str(), ShiftJisToUtf8(text).c_str());
    return 1;
}

static void PrintTrace(void* user, const char* text) {
    if (static_cast<HostUi*>(user)->printTrace)
        fprintf(stderr, "trace: %s\n", ShiftJisToUtf8(text).c_str());
}

static intptr_t AnswerOptionsDialog(void* user, int /*resourceId*/, DialogLogic* logic) {
    HostUi* ui = static_cast<HostUi*>(user);
    ui->dialog = AnswerDialog(ui->script, *logic);
    return ui->dialog.result;
}

// Ctrl-C and termination remove the temporary files not yet in place, then
// end the command as the signal would have.
static void RemoveTemporariesAndStop(int signalNumber) {
    PlatformRemovePendingFiles();
    signal(signalNumber, SIG_DFL);
    raise(signalNumber);
}

void InstallHostUi(HostUi* ui) {
    PlatformSinks sinks = {PrintMessageBox, PrintTrace, AnswerOptionsDialog, ui};
    PlatformInstallSinks(&sinks);
    struct sigaction action = {};
    action.sa_handler = RemoveTemporariesAndStop;
    sigemptyset(&action.sa_mask);
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signalNumber, &action, nullptr);
}

void RemoveHostUi() {
    PlatformInstallSinks(nullptr);
}
