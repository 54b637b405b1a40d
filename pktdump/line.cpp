#include "pktdump/line.h"

void line_count_set(LineCount *c, std::int64_t n)
{
    char rev[24];
    std::size_t len = 0;
    auto u = static_cast<std::uint64_t>(n);
    do {
        rev[len++] = static_cast<char>('0' + u % 10);
        u /= 10;
    } while (u != 0);
    std::memset(c->text, '0', sizeof c->text);
    for (std::size_t i = 0; i < len; ++i)
        c->text[i] = rev[len - 1 - i];
    c->len = len;
}
