// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "consoleoutput.h"

#include <QByteArray>

#include <cerrno>
#include <cstring>

#ifdef _WIN32

#include <io.h>
#include <windows.h>

namespace {

// The code page's bytes for the text, every character it cannot hold a '?': no best fit,
// which would write another character in its place ("e" for "ė").
QByteArray codePageBytes(const wchar_t *units, int size, UINT codePage)
{
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int length =
        WideCharToMultiByte(codePage, flags, units, size, nullptr, 0, nullptr, nullptr);
    QByteArray bytes(length, Qt::Uninitialized);
    WideCharToMultiByte(codePage, flags, units, size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

// True when the bytes read back as the very characters, which rules out every replacement.
bool sameText(const QByteArray &bytes, const wchar_t *units, int size, UINT codePage)
{
    const int length = MultiByteToWideChar(
        codePage, MB_ERR_INVALID_CHARS, bytes.constData(), bytes.size(), nullptr, 0);
    if (length != size)
        return false;
    std::wstring back(size_t(length), L'\0');
    MultiByteToWideChar(
        codePage, MB_ERR_INVALID_CHARS, bytes.constData(), bytes.size(), &back[0], length);
    return back.compare(0, back.size(), units, size_t(size)) == 0;
}

bool writeConsole(HANDLE console, const wchar_t *units, int size)
{
    while (size > 0) {
        DWORD written = 0;
        if (!WriteConsoleW(console, units, DWORD(qMin(size, 16384)), &written, nullptr)
            || written == 0) {
            errno = EIO;
            return false;
        }
        units += written;
        size -= int(written);
    }
    return true;
}

} // namespace

bool writeText(std::FILE *stream, const QString &text, TextRole role)
{
    const wchar_t *const units = reinterpret_cast<const wchar_t *>(text.utf16());
    const int size = text.size();
    const UINT codePage = GetACP();
    const QByteArray bytes = size > 0 ? codePageBytes(units, size, codePage) : QByteArray();
    if (role == TextRole::Data && size > 0 && !sameText(bytes, units, size, codePage)) {
        errno = EILSEQ;
        return false;
    }
    const HANDLE handle = HANDLE(_get_osfhandle(_fileno(stream)));
    DWORD mode;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        // The console would read bytes in its own code page, not the ANSI one.
        return std::fflush(stream) == 0 && writeConsole(handle, units, size);
    }
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size())
        && std::fflush(stream) == 0;
}

QString writeFailureReason(int error)
{
    if (error == EILSEQ)
        return QLatin1String("characters that the code page ") + QString::number(GetACP())
            + QLatin1String(" cannot hold");
    return QString::fromLocal8Bit(std::strerror(error));
}

#else

#include "losslesscodec.h"

bool writeText(std::FILE *stream, const QString &text, TextRole)
{
    const QByteArray bytes = encodeLossless(text);
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size())
        && std::fflush(stream) == 0;
}

QString writeFailureReason(int error) { return decodeLossless(QByteArray(std::strerror(error))); }

#endif

bool writeBytes(std::FILE *stream, const QByteArray &bytes)
{
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size())
        && std::fflush(stream) == 0;
}
