// sigma0-window-screenshot <file.png>: renders the main window as it opens, without a display, to
// show in the documentation what a user sees.
#include <QApplication>
#include <QPixmap>
#include <cstdio>
#include <vector>

#include "Unit81.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <file.png>\n", argv[0]);
    return 2;
  }
  // The picture must not depend on whether a display is at hand.
  std::vector<char*> qtArguments{argv[0], const_cast<char*>("-platform"),
                                 const_cast<char*>("offscreen")};
  int qtArgumentCount = static_cast<int>(qtArguments.size());
  QApplication application(qtArgumentCount, qtArguments.data());
  sigma0::TForm79 window;
  window.show();
  QApplication::processEvents();
  if (!window.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
