#pragma once

#include <QString>
#include <cstdio>
#include <cstdlib>

namespace qor::fuzz {

// A broken invariant aborts, so that libFuzzer keeps the input that broke it and prints its
// stack; a plain failed check would go unnoticed.
inline void require(bool holds, const char* invariant) {
    if (holds)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    std::abort();
}

// The fuzzer's bytes as UTF-8 text: the form in which a user types or a table spells it.
inline QString utf8Text(const unsigned char* data, size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

// The same bytes as raw UTF-16 code units, which can hold what UTF-8 decoding never yields:
// unpaired surrogates and any code unit at all.
inline QString utf16Units(const unsigned char* data, size_t size) {
    QString text(qsizetype(size / 2), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(data[2 * i] | data[2 * i + 1] << 8));
    return text;
}

} // namespace qor::fuzz
