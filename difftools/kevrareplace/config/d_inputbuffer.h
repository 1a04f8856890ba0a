// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef D_INPUTBUFFER_H
#define D_INPUTBUFFER_H

#include <QByteArray>
#include <QIODevice>

/// A sequential device that hands out the bytes appended to it once, in order, and lets go of
/// what has been read as it goes, so that a large input is not held whole to its end.
class D_InputBuffer : public QIODevice
{
public:
    D_InputBuffer();
    ~D_InputBuffer() override;

    /// Appends \a bytes after those not read yet.
    void append(const QByteArray &bytes);

    bool isSequential() const override;
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    QByteArray buffer;
    int readPosition = 0;
};

#endif // D_INPUTBUFFER_H
