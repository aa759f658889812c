// Several inputs to one subcommand: each is announced by name before its
// output, and a closing line counts the outcomes (naming the inputs that did
// not succeed); the exit status is the worst of them.
#pragma once

#include <stdio.h>

#include <string>
#include <vector>

class InputTally {
  public:
    // command: "dump"; noun: what an input is, in the plural ("files").
    InputTally(const char* command, const char* noun, FILE* out)
        : command_(command), noun_(noun), out_(out) {}

    // Prints "== PATH".
    void Begin(const char* path);
    // Records the input begun last: its exit status and the outcome's word
    // ("imported", "failed").
    void End(int status, const char* outcome);
    // Prints "skelvane COMMAND: 3 files: 2 read, 1 failed (b.txd)" after an
    // empty line; returns the worst exit status.
    int Finish();

    int Worst() const { return worst_; }

  private:
    struct Outcome {
        std::string word;
        bool success;
        std::vector<std::string> inputs;
    };

    const char* command_;
    const char* noun_;
    FILE* out_;
    std::string current_;
    std::vector<Outcome> outcomes_;
    size_t count_ = 0;
    int worst_ = 0;
};
