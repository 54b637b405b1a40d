// Runs one of the programs as a child process, the way a shell or a script would, and captures what
// it printed and how it ended.
#ifndef TESTS_PROC_H
#define TESTS_PROC_H

#include <string>
#include <vector>

enum class Stdout {
    capture,      // a file that the result carries back
    path,         // the file named by stdout_path, opened for writing
    closed,       // descriptor 1 closed
    broken_pipe,  // a pipe whose reader has gone
};

struct ProcSpec {
    std::vector<std::string> argv;  // empty: exec with no arguments at all, not even argv[0]
    std::string program;            // what to exec; argv[0] when empty
    std::string cwd;                // empty: the test's own
    Stdout out = Stdout::capture;
    std::string stdout_path;
    bool ignore_sigpipe = false;
    long fsize_limit = -1;  // with it, RLIMIT_FSIZE in bytes and SIGXFSZ ignored
};

struct ProcResult {
    int status = -1;  // exit status, or -1 when ended by a signal
    int signal = 0;   // the signal that ended it, or 0
    bool timed_out = false;
    std::string out;
    std::string err;
};

// Runs `spec` to its end, or kills it after `limit_s` seconds (a guard against a hang, not a timing).
ProcResult run_proc(const ProcSpec &spec, int limit_s = 60);

// The common case: these arguments, output captured.
ProcResult run_args(const std::vector<std::string> &argv);

// A fresh directory under TMPDIR (or /tmp), removed with its files by its destructor.
struct TempDir {
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;
    std::string file(const std::string &name) const { return path + "/" + name; }
    std::string path;
};

std::string read_file(const std::string &path);
void write_file(const std::string &path, const std::string &bytes);

#endif
