// Writing the open book to the two plain layouts.
#include "reader_window.h"

void ReaderWindow::ExportRux() {}
void ReaderWindow::ExportCustomText() {}
