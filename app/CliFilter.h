// tillscribe-cli filter: re-filters a raw register stream.
#pragma once

namespace tillscribe {

// argv after the word "filter". Returns the process's exit status.
int RunFilterCommand(int argc, char **argv);

} // namespace tillscribe
