#include "proc.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>
#include <ftw.h>
#include <sys/wait.h>
#include <unistd.h>

// Only async-signal-safe calls between fork and exec.
[[noreturn]] static void exec_child(const ProcSpec &spec, char *const *argv, int out_fd, int err_fd)
{
    if (!spec.cwd.empty() && chdir(spec.cwd.c_str()) != 0)
        _exit(126);
    if (dup2(err_fd, 2) < 0)
        _exit(126);
    if (spec.out == Stdout::closed)
        close(1);
    else if (dup2(out_fd, 1) < 0)
        _exit(126);
    if (out_fd > 2)
        close(out_fd);
    if (err_fd > 2)
        close(err_fd);
    if (spec.ignore_sigpipe)
        signal(SIGPIPE, SIG_IGN);
    if (spec.fsize_limit >= 0) {
        const rlimit lim{static_cast<rlim_t>(spec.fsize_limit), static_cast<rlim_t>(spec.fsize_limit)};
        signal(SIGXFSZ, SIG_IGN);
        if (setrlimit(RLIMIT_FSIZE, &lim) != 0)
            _exit(126);
    }
    const std::string &program = spec.program.empty() ? spec.argv.at(0) : spec.program;
    execv(program.c_str(), argv);
    _exit(127);
}

// A mkstemp/mkdtemp template for a name under TMPDIR, or /tmp.
static std::string temp_template(const char *prefix)
{
    const char *dir = std::getenv("TMPDIR");
    return std::string(dir != nullptr && *dir != '\0' ? dir : "/tmp") + "/" + prefix + "-XXXXXX";
}

static int temp_fd(std::string *path)
{
    std::string templ = temp_template("proc");
    const int fd = mkstemp(templ.data());
    if (fd < 0)
        throw std::runtime_error("mkstemp failed");
    *path = templ;
    return fd;
}

ProcResult run_proc(const ProcSpec &spec, int limit_s)
{
    std::vector<char *> argv;
    for (const std::string &a : spec.argv)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);

    std::string out_path, err_path;
    int out_fd = -1;
    int pipe_fds[2] = {-1, -1};
    switch (spec.out) {
    case Stdout::capture:
        out_fd = temp_fd(&out_path);
        break;
    case Stdout::closed:
        break;
    case Stdout::path:
        out_fd = open(spec.stdout_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        break;
    case Stdout::broken_pipe:
        if (pipe(pipe_fds) != 0)
            throw std::runtime_error("pipe failed");
        close(pipe_fds[0]);  // the reader is gone before the writer starts
        out_fd = pipe_fds[1];
        break;
    }
    if (out_fd < 0 && spec.out != Stdout::closed)
        throw std::runtime_error("cannot open the child's standard output");
    const int err_fd = temp_fd(&err_path);

    const pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0)
        exec_child(spec, argv.data(), out_fd, err_fd);
    if (out_fd >= 0)
        close(out_fd);
    close(err_fd);

    ProcResult r;
    int wstatus = 0;
    for (int waited_ms = 0;; waited_ms += 10) {
        const pid_t done = waitpid(pid, &wstatus, WNOHANG);
        if (done == pid)
            break;
        if (done < 0 && errno != EINTR)
            throw std::runtime_error("waitpid failed");
        if (waited_ms >= limit_s * 1000 && !r.timed_out) {
            kill(pid, SIGKILL);
            r.timed_out = true;
        }
        usleep(10000);
    }
    if (WIFEXITED(wstatus))
        r.status = WEXITSTATUS(wstatus);
    else if (WIFSIGNALED(wstatus))
        r.signal = WTERMSIG(wstatus);
    if (!out_path.empty()) {
        r.out = read_file(out_path);
        unlink(out_path.c_str());
    }
    r.err = read_file(err_path);
    unlink(err_path.c_str());
    return r;
}

ProcResult run_args(const std::vector<std::string> &argv)
{
    ProcSpec spec;
    spec.argv = argv;
    return run_proc(spec);
}

TempDir::TempDir()
{
    std::string templ = temp_template("pkttest");
    if (mkdtemp(templ.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path = templ;
}

TempDir::~TempDir()
{
    nftw(
        path.c_str(),
        [](const char *p, const struct stat *, int, struct FTW *) { return remove(p); }, 16,
        FTW_DEPTH | FTW_PHYS);
}

std::string read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void write_file(const std::string &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}
