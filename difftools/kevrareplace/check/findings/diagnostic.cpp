// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/findings/diagnostic.h"

const QVector<Diagnostic> &diagnosticCatalogue()
{
    static const QVector<Diagnostic> catalogue = {
        { "reading-ends-early", Severity::Error,
            "an end tag of another element ends a walk of the reader, and later rules are not "
            "read" },
        { "xml-error", Severity::Error, "the XML is malformed; reading stops there" },
        { "second-document", Severity::Error,
            "a rule file after the first starts a document of its own; none of its rules is read" },
        { "invalid-expression", Severity::Error,
            "a regular expression that is invalid or beyond the engine's limits never matches" },
        { "lazy-quantifier", Severity::Error,
            "a lazy or possessive quantifier, such as *? or ++: the engine's quantifiers are "
            "greedy and take nothing after them, and the expression never matches" },
        { "inline-flag", Severity::Error,
            "an inline flag, such as (?i), which makes the expression invalid; case is set by cs" },
        { "lookbehind", Severity::Error,
            "a lookbehind, (?<=...) or (?<!...), which makes the expression invalid" },
        { "named-group", Severity::Error,
            "a named group or a reference to one, such as (?P<name>...), which makes the "
            "expression invalid; groups have numbers only" },
        { "rule-not-read", Severity::Warning, "a file element gives no rule" },
        { "no-rules", Severity::Warning,
            "the rule files give no rule; every string comes out unchanged" },
        { "flag-value", Severity::Warning, "a flag whose value is not a plain decimal integer" },
        { "unknown-attribute", Severity::Warning,
            "an attribute of file that the tool does not read" },
        { "element-name-case", Severity::Warning,
            "an element named replacement or file in another case is not recognised" },
        { "empty-pattern", Severity::Warning,
            "an empty pattern with a replacement changes every string" },
        { "unreachable-rule", Severity::Warning,
            "a rule after one that changes every string, or a repeat of an earlier rule" },
        { "no-op-rule", Severity::Warning, "a rule that can never change a string" },
        { "shadowed-rule", Severity::Warning,
            "a rule that never decides: an earlier rule changes every string that it would "
            "change" },
        { "missing-group", Severity::Warning,
            "a \\N in the replacement that stands for no group is written as it stands" },
        { "dollar-group", Severity::Warning,
            "a $1 to $9 in the replacement of an expression rule is written as it stands; a group "
            "is \\1 to \\9" },
        { "wildcard-swallows", Severity::Warning,
            "a wildcard that begins or ends with * takes the whole start or end of the string" },
        { "wildcard-escape", Severity::Warning,
            "a backslash in a wildcard pattern does not escape the character after it" },
        { "wildcard-and-regexp", Severity::Note,
            "both wildcard and regexp are set; the pattern is a wildcard" },
        { "fixed-text-wildcard", Severity::Note,
            "a fixed-text pattern holds * or ?, which match only themselves" },
        { "test-failed", Severity::Error,
            "a case whose string the rules rewrite otherwise than expected" },
        { "test-syntax", Severity::Error, "a line of a case file that is not a case" },
        { "rule-not-covered", Severity::Note, "a rule that decides none of the cases" },
        { "case-conflict", Severity::Error,
            "a case whose string an earlier case gives another result" },
        { "case-text", Severity::Error,
            "a case holding a control character or bytes that are not UTF-8, which a rule file "
            "cannot hold" },
        { "no-cases", Severity::Error, "a case file that holds no case" },
    };
    return catalogue;
}

const Diagnostic &diagnostic(const QString &id)
{
    for (const Diagnostic &entry : diagnosticCatalogue()) {
        if (id == QLatin1String(entry.id))
            return entry;
    }
    return diagnosticCatalogue().constFirst();
}

Finding makeFinding(
    const char *id, const QString &location, int file, int line, int column, const QString &message)
{
    return Finding { QLatin1String(id), diagnostic(QLatin1String(id)).severity, location, file,
        line, column, message, {} };
}

Finding findingAtLine(
    const char *id, const QString &fileName, int file, int line, int column, const QString &message)
{
    return makeFinding(id,
        fileName + QLatin1Char(':') + QString::number(line) + QLatin1Char(':')
            + QString::number(column),
        file, line, column, message);
}

Finding findingAt(const D_DocumentScan &scan, const char *id, qint64 offset, const QString &message)
{
    const SourceLocation at = scan.location(offset);
    return makeFinding(id, scan.locationText(offset), at.file, at.line, at.column, message);
}

RelatedPlace relatedAt(const D_DocumentScan &scan, qint64 offset, const QString &message)
{
    const SourceLocation at = scan.location(offset);
    return RelatedPlace { at.file, at.line, at.column, message };
}

QString severityName(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return QStringLiteral("error");
    case Severity::Warning:
        return QStringLiteral("warning");
    case Severity::Note:
        break;
    }
    return QStringLiteral("note");
}
