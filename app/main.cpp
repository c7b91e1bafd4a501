// sigma0-gui: the main window of the conversions.
#include "Application.h"

int main(int argc, char** argv) {
  return sigma0::RunApplication(argc, argv);
}
