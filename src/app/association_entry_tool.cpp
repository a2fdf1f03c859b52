// Prints the desktop entry for a program path; the install step runs it
// with the installed path of qob-editor.
#include <cstdio>
#include <string>

#include "association.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: qob-desktop-entry PROGRAM_PATH\n", stderr);
        return 2;
    }
    const std::string entry = qob::association::DesktopEntry(argv[1]);
    return std::fwrite(entry.data(), 1, entry.size(), stdout) == entry.size() ? 0 : 1;
}
