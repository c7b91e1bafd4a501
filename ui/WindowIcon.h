// The picture in the window's title bar and task bar.
#pragma once

#include <QIcon>

namespace sigma0 {

// A 48 × 48 picture in 16 colours, drawn rather than shipped so the repository holds no binary.
QIcon WindowIcon();

}  // namespace sigma0
