// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "configfile.h"

#include <QFile>

#ifndef _WIN32
#include "text/losslesscodec.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef _WIN32

bool openConfigFile(QFile &file, const QString &name)
{
    // The name is the wide command line's own text, which QFile opens by as it is, also with
    // characters that the ANSI code page cannot hold.
    file.setFileName(name);
    return QFile::exists(name) && file.open(QIODevice::ReadOnly);
}

#else

bool openConfigFile(QFile &file, const QString &name)
{
    // QFile would encode the name again and lose the bytes that are not UTF-8: open by the
    // bytes themselves, and refuse a directory as QFile does.
    const int fd = ::open(encodeLossless(name).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status;
    if (::fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
        ::close(fd);
        return false;
    }
    return file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
}

#endif
