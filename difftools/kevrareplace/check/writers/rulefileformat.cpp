// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/writers/rulefileformat.h"
#include "config/rulefilenames.h"

namespace {

// NAME="VALUE", after a space.
QString attribute(QLatin1String name, const QString &value)
{
    return QLatin1Char(' ') + name + QLatin1String("=\"") + xmlAttributeText(value)
        + QLatin1Char('"');
}

QString flag(bool set) { return QLatin1String(set ? "1" : "0"); }

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
    using namespace RuleFileNames;
    QString text = QLatin1String("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<")
        + replacementElement + QLatin1String(">\n");
    for (const CommentedRule &rule : rules) {
        const FileEntry &entry = rule.entry;
        text += QLatin1String("  <!-- ") + rule.comment + QLatin1String(" -->\n  <") + fileElement
            + attribute(path, entry.path) + attribute(replacepath, entry.replacepath)
            + attribute(regexp, flag(entry.regexp)) + attribute(cs, flag(entry.cs))
            + attribute(wildcard, flag(entry.wildcard)) + QLatin1String("/>\n");
    }
    text += QLatin1String("</") + replacementElement + QLatin1String(">\n");
    return text.toUtf8();
}
