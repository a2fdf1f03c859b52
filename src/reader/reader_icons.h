#pragma once

#include <QIcon>

// The reader toolbar's image list and the program's window icon, drawn in
// code so that they stay sharp and need no resource files.
namespace reader_icons {

constexpr int kImageCount = 8;
constexpr int kImageSize = 16;
constexpr int kWindowIconSize = 32;

// Image `index` (0..kImageCount-1) of the toolbar's image list:
// 0 open folder, 1 pencil, 2 information, 3 back arrow, 4 forward arrow,
// 5 cross, 6 book, 7 floppy disk.
QIcon ToolbarImage(int index);

QIcon WindowIcon();

}  // namespace reader_icons
