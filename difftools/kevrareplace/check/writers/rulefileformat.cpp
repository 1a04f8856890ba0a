// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/writers/rulefileformat.h"

namespace {

QLatin1String flag(bool set) { return QLatin1String(set ? "1" : "0"); }

} // namespace

QString xmlAttributeText(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar ch : text) {
        switch (ch.unicode()) {
        case '&':
            escaped += QLatin1String("&amp;");
            break;
        case '<':
            escaped += QLatin1String("&lt;");
            break;
        case '>':
            escaped += QLatin1String("&gt;");
            break;
        case '"':
            escaped += QLatin1String("&quot;");
            break;
        default:
            escaped += ch;
        }
    }
    return escaped;
}

QByteArray ruleFile(const QVector<CommentedRule> &rules)
{
    QString text = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<replacement>\n");
    for (const CommentedRule &rule : rules) {
        const FileEntry &entry = rule.entry;
        text += QLatin1String("  <!-- ") + rule.comment + QLatin1String(" -->\n  <file path=\"")
            + xmlAttributeText(entry.path) + QLatin1String("\" replacepath=\"")
            + xmlAttributeText(entry.replacepath) + QLatin1String("\" regexp=\"")
            + flag(entry.regexp) + QLatin1String("\" cs=\"") + flag(entry.cs)
            + QLatin1String("\" wildcard=\"") + flag(entry.wildcard) + QLatin1String("\"/>\n");
    }
    text += QLatin1String("</replacement>\n");
    return text.toUtf8();
}
