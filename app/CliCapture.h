// tillscribe-cli capture: the capture station without a window.
#pragma once

namespace tillscribe {

int RunCaptureCommand(int argc, char **argv);

} // namespace tillscribe
