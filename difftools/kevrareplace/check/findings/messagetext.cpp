// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/findings/messagetext.h"
#include "text/losslesscodec.h"

namespace {

// Whether a reader sees nothing of \a ucs4, or takes it for another character: controls,
// format characters (U+200B, U+FEFF...), line and paragraph separators, spaces other than the
// space.
bool unseen(uint ucs4)
{
    switch (QChar::category(ucs4)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    case QChar::Separator_Space:
        return ucs4 != ' ';
    default:
        return false;
    }
}

void appendByte(QString &text, int byte)
{
    text += QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
}

} // namespace

QString quoted(const QString &text)
{
    QString escaped;
    bool plain = true;
    for (int i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        const int byte = losslessByte(text, i);
        const bool pair =
            ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const uint ucs4 = pair ? QChar::surrogateToUcs4(ch, text.at(i + 1)) : ch.unicode();
        if (ucs4 == '\\' || ucs4 == '"') {
            escaped += QLatin1Char('\\') + ch;
        } else if (ucs4 == '\t' || ucs4 == '\n') {
            plain = false;
            escaped += ucs4 == '\t' ? QLatin1String("\\t") : QLatin1String("\\n");
        } else if (byte >= 0) {
            plain = false;
            appendByte(escaped, byte);
        } else if (ch.isSurrogate() && !pair) {
            // Comes from no bytes: named by its code.
            plain = false;
            escaped += QStringLiteral("\\u%1").arg(int(ucs4), 4, 16, QLatin1Char('0'));
        } else if (unseen(ucs4)) {
            // The bytes a case file writes it with.
            plain = false;
            const QByteArray bytes = QString(text.constData() + i, pair ? 2 : 1).toUtf8();
            for (const char b : bytes)
                appendByte(escaped, uchar(b));
        } else {
            escaped += ch;
            if (pair)
                escaped += text.at(i + 1);
        }
        if (pair)
            ++i;
    }
    return plain ? QLatin1Char('\'') + text + QLatin1Char('\'')
                 : QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString quotedField(std::string_view bytes)
{
    return quoted(decodeLossless(bytes.data(), int(bytes.size())));
}

QString counted(qint64 number, const char *one, const char *many)
{
    return QString::number(number) + QLatin1Char(' ') + QLatin1String(number == 1 ? one : many);
}
