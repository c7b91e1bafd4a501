// The start and end of the window application.
#pragma once

namespace sigma0 {

// Creates the application and its main window and runs the message loop until the window
// closes. Whatever escapes the start-up is shown in the error display. Returns the exit code, 0.
int RunApplication(int argc, char** argv);

}  // namespace sigma0
