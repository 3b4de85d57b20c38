// Sample journals for the register simulator, one per rule set, each as the
// raw bytes a register of that kind sends: text, line ends and the control
// sequences that the filter takes out.
#pragma once

#include <string>

namespace tillscribe {

// The raw journal for a register model (0-7).
std::string SampleJournal(int model);

} // namespace tillscribe
