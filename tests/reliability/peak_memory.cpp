// Runs a program and says how it ended and how much memory it took at most:
//   qob-peak-memory PROGRAM ARGS...   prints "STATUS PEAK_KIB"
// STATUS is the exit status, or minus the signal that ended it; the
// program's own output is discarded. The program is started from this small
// process, so that the figure is its own and not that of the large test
// process that asked.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: qob-peak-memory PROGRAM ARGS...\n");
        return 2;
    }
    const pid_t child = ::fork();
    if (child < 0) return 1;
    if (child == 0) {
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, STDOUT_FILENO);
        ::dup2(quiet, STDERR_FILENO);
        ::execv(argv[1], argv + 1);
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child) return 1;
    std::printf("%d %ld\n", WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status), usage.ru_maxrss);
    return 0;
}
