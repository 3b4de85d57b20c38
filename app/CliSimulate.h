// tillscribe-cli simulate: a register on a pseudo-terminal linked as COM n.
#pragma once

namespace tillscribe {

// argv after the word "simulate". Returns the process's exit status.
int RunSimulateCommand(int argc, char **argv);

} // namespace tillscribe
