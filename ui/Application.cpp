#include "Application.h"

#include <QApplication>

#include "MessageBoxes.h"
#include "Unit81.h"

namespace sigma0 {

int RunApplication(int argc, char** argv) {
  QApplication application(argc, argv);
  ShowErrorsOf([] {
    TForm79 mainWindow;
    mainWindow.show();
    QApplication::exec();
  });
  return 0;
}

}  // namespace sigma0
