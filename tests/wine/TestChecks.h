// The checks of the Windows test program: each prints "PASS name" or
// "FAIL name: detail" and failures are counted for the exit status.
#pragma once

#include <string>

// Records one check; returns ok.
bool Check(const std::string& name, bool ok, const std::string& detail = std::string());
// Compares two texts and shows both on failure.
bool CheckText(const std::string& name, const std::string& actual, const std::string& expected);
// Compares two numbers and shows both on failure.
bool CheckNumber(const std::string& name, long long actual, long long expected);
int FailureCount();
