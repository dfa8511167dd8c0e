/* peak_launcher REPORT PROGRAM [ARG...]: runs PROGRAM with the arguments, the
 * launcher's environment, current folder and standard streams, waits for it
 * and writes its peak resident memory in KiB (wait4's ru_maxrss) as one line
 * to the file REPORT. Exit code: the program's, 128 + the signal that ended
 * it, 127 when it could not be started or the report not written.
 *
 * Why a launcher: Linux carries the high-water resident size of a process
 * across execve into ru_maxrss, so a child forked from a large process (the
 * benchmark) reports at least that process's size. Forked from this small
 * program instead, the child starts from the launcher's own few hundred KiB,
 * and the figure is the program's. */
#include <stdio.h>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc < 3) {
        fputs("usage: peak_launcher REPORT PROGRAM [ARG...]\n", stderr);
        return 127;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        return 127;
    }
    if (pid == 0) {
        execv(argv[2], argv + 2);
        _exit(127);
    }
    int status = 0;
    struct rusage usage;
    if (wait4(pid, &status, 0, &usage) != pid) {
        return 127;
    }
    FILE* report = fopen(argv[1], "w");
    if (report == NULL || fprintf(report, "%ld\n", usage.ru_maxrss) < 0 || fclose(report) != 0) {
        return 127;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
