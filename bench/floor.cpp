// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

// The least a Qt Core program of the tool's kind does: the application object, its arguments,
// one replacement and one line printed. The benchmark measures the tool against it.

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    QString text = arguments.value(arguments.size() - 1);
    text.replace(QStringLiteral("/old/"), QStringLiteral("/new/"), Qt::CaseSensitive);
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    return 0;
}
