// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

// Builds the regular expression read from standard input (UTF-8) as the tool does and applies
// it to a few strings, under limits of its own: at most 512 MiB of address space, 10 s of
// processor time and the tool's 10 MiB of stack. Built without sanitizers, so that the memory
// limit bounds what the library takes, not a sanitizer's shadow; fuzz_expression runs it.

#include "replace/qtcompat.h"

#include <QByteArray>
#include <QRegExp>
#include <QString>

#include <sys/resource.h>
#include <unistd.h>

namespace {

void limit(int resource, rlim_t value)
{
    const struct rlimit wanted = { value, value };
    if (::setrlimit(resource, &wanted) != 0)
        ::_exit(2);
}

} // namespace

int main()
{
    limit(RLIMIT_AS, rlim_t(512) << 20);
    limit(RLIMIT_CPU, 10);
    limit(RLIMIT_STACK, rlim_t(10) << 20);

    QByteArray bytes;
    char buffer[4096];
    for (ssize_t got; (got = ::read(STDIN_FILENO, buffer, sizeof buffer)) != 0;) {
        if (got < 0)
            return 2;
        bytes.append(buffer, int(got));
    }

    const QRegExp expression(QString::fromUtf8(bytes), Qt::CaseSensitive, QRegExp::RegExp2);
    for (const char *text : { "", "a", "aaaaaaaa", "/home/ann/workspace/app/src/main.cpp",
             "ab/cd 0123 AbC xyz(){}[]\\.*+?^$|" }) {
        QString string = QString::fromLatin1(text);
        replaceExpression(string, expression, QStringLiteral("<\\1\\9>"));
    }
    const QRegExp caseless(QString::fromUtf8(bytes), Qt::CaseInsensitive, QRegExp::RegExp2);
    QString string = QStringLiteral("/HOME/Ann/aaaa");
    replaceExpression(string, caseless, QStringLiteral("x"));
    return 0;
}
