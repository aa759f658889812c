#include "tools/skelvane/InputTally.h"

#include "tools/skelvane/CommandLine.h"
#include "tools/skelvane/ExitCodes.h"

void InputTally::Begin(const char* path) {
    current_ = path;
    fprintf(out_, "== %s\n", path);
    fflush(out_);
}

void InputTally::End(int status, const char* outcome) {
    ++count_;
    worst_ = WorstExitStatus(worst_, status);
    for (Outcome& o : outcomes_)
        if (o.word == outcome) {
            o.inputs.push_back(current_);
            return;
        }
    outcomes_.push_back({outcome, status == kExitSuccess, {current_}});
}

int InputTally::Finish() {
    fprintf(out_, "\nskelvane %s: %zu %s:", command_, count_, noun_);
    for (size_t k = 0; k < outcomes_.size(); ++k) {
        const Outcome& o = outcomes_[k];
        fprintf(out_, "%s %zu %s", k == 0 ? "" : ",", o.inputs.size(), o.word.c_str());
        if (!o.success) {
            fprintf(out_, " (");
            for (size_t i = 0; i < o.inputs.size(); ++i)
                fprintf(out_, "%s%s", i == 0 ? "" : ", ", o.inputs[i].c_str());
            fprintf(out_, ")");
        }
    }
    fprintf(out_, "\n");
    fflush(out_);
    return worst_;
}
