#include "streams.h"

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace {

struct Reader {
    std::string bytes;
    std::size_t fail_at;
    std::size_t pos;
};

struct Writer {
    std::string *sink;
    std::size_t fail_at;
};

}  // namespace

static ssize_t read_some(void *cookie, char *buf, std::size_t size)
{
    auto *r = static_cast<Reader *>(cookie);
    if (r->pos == r->fail_at) {
        errno = EIO;
        return -1;
    }
    const std::size_t end = std::min(r->bytes.size(), r->fail_at);
    const std::size_t n = std::min(size, end - std::min(end, r->pos));
    r->bytes.copy(buf, n, r->pos);
    r->pos += n;
    return static_cast<ssize_t>(n);
}

static int close_reader(void *cookie)
{
    delete static_cast<Reader *>(cookie);
    return 0;
}

static ssize_t write_some(void *cookie, const char *buf, std::size_t size)
{
    auto *w = static_cast<Writer *>(cookie);
    const std::size_t room = w->fail_at - std::min(w->fail_at, w->sink->size());
    const std::size_t n = std::min(size, room);
    w->sink->append(buf, n);
    if (n < size)
        errno = ENOSPC;
    // A short count, 0 included, is the error: stdio's cookie layer must never see a negative one.
    return static_cast<ssize_t>(n);
}

static int close_writer(void *cookie)
{
    delete static_cast<Writer *>(cookie);
    return 0;
}

std::FILE *memory_reader(std::string bytes, std::size_t fail_at)
{
    auto *r = new Reader{std::move(bytes), fail_at, 0};
    std::FILE *f = fopencookie(r, "rb", cookie_io_functions_t{read_some, nullptr, nullptr, close_reader});
    if (f == nullptr) {
        delete r;
        throw std::runtime_error("fopencookie failed");
    }
    return f;
}

std::FILE *memory_writer(std::string *sink, std::size_t fail_at)
{
    auto *w = new Writer{sink, fail_at};
    std::FILE *f = fopencookie(w, "wb", cookie_io_functions_t{nullptr, write_some, nullptr, close_writer});
    if (f == nullptr) {
        delete w;
        throw std::runtime_error("fopencookie failed");
    }
    return f;
}
