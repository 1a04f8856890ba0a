// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/reading/openfailure.h"
#include "text/consoleoutput.h"

#include <cerrno>

#ifdef _WIN32
#include <QFileInfo>

#include <fcntl.h>
#include <io.h>
#else
#include "text/losslesscodec.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

QString reasonOf(int error)
{
    switch (error) {
    case ENOENT:
        return QStringLiteral("No such file or directory");
    case EISDIR:
        return QStringLiteral("Is a directory");
    case EACCES:
    case EPERM:
        return QStringLiteral("Permission denied");
    default:
        break;
    }
    return writeFailureReason(error);
}

// The error of opening \a name read-only, or EISDIR for a directory; 0 when it opens.
int openError(const QString &name)
{
#ifdef _WIN32
    // Windows refuses a directory as a denied access: it is told apart first.
    const QFileInfo info(name);
    if (info.exists() && info.isDir())
        return EISDIR;
    const int fd = ::_wopen(reinterpret_cast<const wchar_t *>(name.utf16()), _O_RDONLY);
    if (fd < 0)
        return errno;
    ::_close(fd);
    return 0;
#else
    const int fd = ::open(encodeLossless(name).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    struct stat status;
    const int error = ::fstat(fd, &status) != 0 ? errno : S_ISDIR(status.st_mode) ? EISDIR : 0;
    ::close(fd);
    return error;
#endif
}

} // namespace

QString openFailureReason(const QString &name)
{
    // An empty name names no file.
    const int error = name.isEmpty() ? ENOENT : openError(name);
    // Opened now, though not before: the file changed between the two.
    return reasonOf(error != 0 ? error : EIO);
}
