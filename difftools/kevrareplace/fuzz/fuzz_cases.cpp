// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

// Reads arbitrary bytes as a case file: every line gives a case or says where and why it is
// none, and each string of a case, quoted as the companion's messages quote it, reads back from
// a case file as the same bytes.

#include "check/findings/messagetext.h"
#include "check/reading/casefile.h"
#include "text/losslesscodec.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// \a bytes quoted as a message quotes it: in single quotes, its characters as they stand; in
// double quotes, a field of a case file.
void checkWrittenBack(std::string_view bytes)
{
    const QString quote = quotedField(bytes);
    require(quote.size() >= 2 && quote.front() == quote.back());
    if (quote.front() == QLatin1Char('\'')) {
        require(encodeLossless(quote.mid(1, quote.size() - 2))
            == QByteArray::fromRawData(bytes.data(), int(bytes.size())));
        return;
    }
    require(quote.front() == QLatin1Char('"'));
    // As the expected result, which may be empty or look like an option.
    const QByteArray line = "x\t" + quote.toUtf8() + '\n';
    D_CaseFile back(line);
    require(back.next() && back.kind() == D_CaseFile::Case && back.expected() == bytes);
    require(!back.next());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));
    D_CaseFile cases(bytes);
    int line = 0;
    while (cases.next()) {
        require(cases.line() > line);
        line = cases.line();
        if (cases.kind() == D_CaseFile::Case) {
            require(!cases.string().empty());
            checkWrittenBack(cases.string());
            checkWrittenBack(cases.expected());
        } else {
            require(cases.errorColumn() >= 1 && !cases.errorMessage().isEmpty());
        }
    }
    require(line <= bytes.count('\n') + 1);
    // Any bytes at all, newlines and tabs among them, as one string.
    checkWrittenBack(std::string_view(bytes.constData(), size_t(bytes.size())));
    return 0;
}
