// The words of `skelvane check`: where a finding stands and the one sentence
// that says what the game makes of it, each rule's from one table.
#pragma once

#include <string>

#include "check/Finding.h"
#include "check/ModelCheck.h"

// "clump 1 geometry 0 frame 12 \"Bip01\" vertex 7 (and 3 more)"; clump and
// geometry only when the model has several; "file" when the finding stands
// nowhere more precise.
std::string FindingPlace(const Finding& f, const ModelCounts& counts);

// The finding's sentence.
std::string FindingSentence(const Finding& f);

// Whether the rule's sentence tells the finding's value, or its limit.
bool SentenceTellsValue(Rule rule);
bool SentenceTellsLimit(Rule rule);
