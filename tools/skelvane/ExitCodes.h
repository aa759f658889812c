// Exit statuses of the skelvane command.
#pragma once

enum : int {
    kExitSuccess = 0,
    kExitFailure = 1,   // the operation did not complete
    kExitCancelled = 2, // the user cancelled the options dialog
    kExitUsage = 64,    // bad command line
};
