#pragma once
// A plain reference reader of the CSV grammar, shared by the import tests and
// the CSV fuzz target: it works on the complete text at once (no buffer, no
// look-ahead machinery), so the real reader can be checked against it.

#include "Ucsv.h"

#include <string>
#include <vector>

// Reference reading of `octets`: rows padded to the widest one.
std::vector<Rangee> LectureReference(const std::string& octets);
