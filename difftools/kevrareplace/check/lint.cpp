// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "lint.h"

#include "replace/expressionlimits.h"
#include "shadowing.h"

#include <QHash>
#include <QRegExp>
#include <QSet>

#include <algorithm>

namespace {

const QStringList knownAttributes = { QStringLiteral("path"), QStringLiteral("replacepath"),
    QStringLiteral("cs"), QStringLiteral("wildcard"), QStringLiteral("regexp") };

QString quoted(const QString &text) { return QLatin1Char('\'') + text + QLatin1Char('\''); }

QString localName(const QString &name) { return name.mid(name.indexOf(QLatin1Char(':')) + 1); }

int editDistance(const QString &a, const QString &b)
{
    QVector<int> row(b.size() + 1);
    for (int j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (int i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = i;
        for (int j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            row[j] = std::min(
                { row[j] + 1, row[j - 1] + 1, diagonal + (a.at(i - 1) == b.at(j - 1) ? 0 : 1) });
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The known attribute \a name probably means: one that differs in case or in one or two
// letters.
QString nearestAttribute(const QString &name)
{
    const QString lower = localName(name).toLower();
    for (const QString &known : knownAttributes) {
        if (lower == known)
            return known;
    }
    for (const QString &known : knownAttributes) {
        if (std::abs(lower.size() - known.size()) <= 2 && editDistance(lower, known) <= 2
            && lower.size() > 2)
            return known;
    }
    return QString();
}

bool plainInteger(const QString &value)
{
    static const QRegExp plain(QStringLiteral("-?[0-9]+"));
    bool ok = false;
    value.toInt(&ok);
    return ok && plain.exactMatch(value);
}

// A rule's fields in one text, to find exact repeats: XML text holds no NUL.
QString ruleKey(const FileEntry &entry)
{
    return entry.path + QChar(0) + entry.replacepath + QChar(0)
        + QLatin1Char(entry.regexp ? '1' : '0') + QLatin1Char(entry.cs ? '1' : '0')
        + QLatin1Char(entry.wildcard ? '1' : '0');
}

class Linter
{
public:
    explicit Linter(D_RuleFileReading &reading)
        : reading(reading)
        , scan(reading.scan())
    {
    }

    QVector<Finding> run()
    {
        reading.read([this](int element, const QVector<ScanAttribute> &attributes) {
            visitStartTag(element, attributes);
        });
        lintWalk();
        lintRules();
        std::stable_sort(findings.begin(), findings.end(), [](const Finding &a, const Finding &b) {
            return std::tie(a.file, a.line, a.column) < std::tie(b.file, b.line, b.column);
        });
        return findings;
    }

private:
    void add(const char *id, qint64 offset, const QString &message)
    {
        const SourceLocation at = scan.location(offset);
        findings.append(Finding { QLatin1String(id), diagnostic(QLatin1String(id)).severity,
            scan.locationText(offset), at.file, at.line, at.column, message });
    }

    QString where(qint64 offset) const
    {
        const SourceLocation at = scan.location(offset);
        return QString::number(at.line) + QLatin1Char(':') + QString::number(at.column);
    }

    void visitStartTag(int element, const QVector<ScanAttribute> &attributes)
    {
        const ScanElement &tag = scan.elements().at(element);
        const QString local = localName(tag.name);
        for (const char *known : { "replacement", "file" }) {
            if (local != QLatin1String(known)
                && local.compare(QLatin1String(known), Qt::CaseInsensitive) == 0)
                add("element-name-case", tag.tagStart,
                    QLatin1String("element ") + quoted(tag.name)
                        + QLatin1String(" is not recognised: names are case-sensitive; write ")
                        + quoted(QLatin1String(known)));
        }
        if (local != QLatin1String("file"))
            return;
        for (const ScanAttribute &attribute : attributes) {
            if (!knownAttributes.contains(attribute.name)) {
                const QString nearest = nearestAttribute(attribute.name);
                add("unknown-attribute", attribute.offset,
                    QLatin1String("attribute ") + quoted(attribute.name)
                        + QLatin1String(" is not read by kevrareplace")
                        + (nearest.isEmpty() ? QString()
                                             : QLatin1String("; did you mean ") + quoted(nearest)
                                    + QLatin1Char('?')));
                continue;
            }
            if (attribute.name == QLatin1String("path")
                || attribute.name == QLatin1String("replacepath") || plainInteger(attribute.value))
                continue;
            const int number = attribute.value.toInt();
            add("flag-value", attribute.offset,
                QLatin1String("flag ") + quoted(attribute.name) + QLatin1String(" is ")
                    + quoted(attribute.value) + QLatin1String(", read as ")
                    + QString::number(number) + QLatin1String(number ? ": on" : ": off")
                    + (attribute.name == QLatin1String("cs")
                            ? QLatin1String(number ? " (case counts)" : " (case is ignored)")
                            : QLatin1String(""))
                    + QLatin1String("; write 1 or 0"));
        }
    }

    bool isFileElement(int element) const
    {
        return localName(scan.elements().at(element).name) == QLatin1String("file");
    }

    bool hasAncestor(int element, const char *name) const
    {
        for (int up = scan.elements().at(element).parent; up >= 0;
             up = scan.elements().at(up).parent) {
            if (localName(scan.elements().at(up).name) == QLatin1String(name))
                return true;
        }
        return false;
    }

    void lintWalk()
    {
        const QVector<ScanElement> &elements = scan.elements();
        QSet<int> ruleElements;
        for (int i = 0; i < reading.entries().size(); ++i)
            ruleElements.insert(reading.ruleElement(i));
        QVector<int> unread;
        for (int i = 0; i < elements.size(); ++i) {
            if (isFileElement(i) && !ruleElements.contains(i))
                unread.append(i);
        }
        const QVector<qint64> &lost = scan.fileTagsAfterError();

        // The first end tag that ends a walk other than on its own element's and after which
        // file elements give no rule.
        qint64 earlyEnd = -1;
        for (const WalkStep &step : reading.walkSteps()) {
            if (step.end < 0)
                continue;
            const int closed = scan.elementEndingAt(step.end);
            const int walked =
                step.walk == WalkStep::Document ? -1 : scan.elementStartingAt(step.start);
            const bool own = step.walk == WalkStep::Document
                ? closed >= 0 && elements.at(closed).parent < 0
                : closed == walked;
            if (own || closed < 0)
                continue;
            const int count = int(std::count_if(unread.begin(), unread.end(), [&](int element) {
                return elements.at(element).tagStart >= step.end;
            })) + lost.size();
            if (count == 0)
                continue;
            earlyEnd = elements.at(closed).endTagStart;
            const QString walkName = step.walk == WalkStep::Document
                ? QStringLiteral("the document")
                : quoted(elements.at(walked).name) + QLatin1String(" (from ")
                    + where(elements.at(walked).tagStart) + QLatin1Char(')');
            add("reading-ends-early", earlyEnd,
                QLatin1String("this end tag ends the reading of ") + walkName
                    + QLatin1String(": it closes ") + quoted(elements.at(closed).name)
                    + QLatin1String(", which starts at ") + where(elements.at(closed).tagStart)
                    + QLatin1String("; ") + QString::number(count)
                    + QLatin1String(count == 1 ? " file element is never read"
                                               : " file elements are never read"));
            break;
        }

        int secondDocument = -1;
        const int errorFile = scan.hasError() ? scan.location(scan.errorOffset()).file : -1;
        for (int file = 1; file < scan.fileCount(); ++file) {
            const bool afterDocument = scan.documentEnd() >= 0
                && scan.documentEnd() <= scan.fileStart(file) && scan.fileBeginsWithMarkup(file);
            if (!scan.fileDeclaresDocument(file) && !afterDocument)
                continue;
            if (secondDocument < 0)
                secondDocument = file;
            const qint64 start = scan.fileStart(file);
            const int next = file + 1 < scan.fileCount() ? int(scan.fileStart(file + 1)) : -1;
            const int rules = int(std::count_if(lost.begin(), lost.end(),
                [&](qint64 at) { return at >= start && (next < 0 || at < next); }));
            add("second-document", start,
                QLatin1String("this file starts a document of its own after ")
                    + quoted(scan.fileName(0)) + QLatin1String(": none of its ")
                    + QString::number(rules)
                    + QLatin1String(" rules is read; put its rules into one document"));
        }
        // Qt's message, without its final period.
        QString errorText = scan.errorMessage();
        if (errorText.endsWith(QLatin1Char('.')))
            errorText.chop(1);
        if (scan.hasError() && (secondDocument < 0 || errorFile < secondDocument))
            add("xml-error", scan.errorOffset(),
                errorText + QLatin1String("; ") + QString::number(lost.size())
                    + QLatin1String(lost.size() == 1 ? " file element is never read"
                                                     : " file elements are never read"));

        const qint64 walkEnd = reading.walkSteps().isEmpty() ? -1 : reading.walkSteps().last().end;
        for (int element : unread) {
            const ScanElement &tag = elements.at(element);
            QString why;
            if (hasAncestor(element, "file"))
                why = QStringLiteral("it stands inside another file element");
            else if (!hasAncestor(element, "replacement"))
                why = QStringLiteral("it stands outside any replacement element");
            else if (earlyEnd >= 0 && tag.tagStart > earlyEnd)
                why = QLatin1String("it comes after the end of the walk at ") + where(earlyEnd);
            else if (walkEnd >= 0)
                why = QLatin1String("it comes after the end of the walk at ")
                    + where(elements.value(scan.elementEndingAt(walkEnd)).endTagStart);
            else
                why = QStringLiteral("the reading ended before it");
            add("rule-not-read", tag.tagStart,
                QLatin1String("this file element gives no rule: ") + why);
        }
        for (qint64 at : lost)
            add("rule-not-read", at,
                QLatin1String("this file element gives no rule: it comes after the XML error at ")
                    + scan.locationText(scan.errorOffset()));
    }

    void lintRules()
    {
        const QVector<FileEntry> &entries = reading.entries();
        if (entries.isEmpty()) {
            add("no-rules", 0,
                QStringLiteral("the rule files give no rule: every string comes out unchanged"));
            return;
        }
        QHash<QString, int> seen;
        int changesAll = -1;
        const QVector<int> shadowing = shadowingRules(entries);
        for (int i = 0; i < entries.size(); ++i) {
            const FileEntry &entry = entries.at(i);
            const int element = reading.ruleElement(i);
            const qint64 at = element >= 0 ? scan.elements().at(element).tagStart : 0;
            if (changesAll >= 0) {
                add("unreachable-rule", at,
                    QLatin1String("this rule is never tried: the rule at ")
                        + reading.ruleLocation(changesAll)
                        + QLatin1String(" changes every string"));
            } else {
                const QString key = ruleKey(entry);
                const auto earlier = seen.constFind(key);
                if (earlier != seen.constEnd())
                    add("unreachable-rule", at,
                        QLatin1String("this rule repeats the rule at ")
                            + reading.ruleLocation(earlier.value())
                            + QLatin1String(" and never decides"));
                else if (shadowing.at(i) >= 0)
                    add("shadowed-rule", at,
                        QLatin1String("this rule never decides: the rule at ")
                            + reading.ruleLocation(shadowing.at(i))
                            + QLatin1String(" changes every string that this rule would change"));
                if (earlier == seen.constEnd())
                    seen.insert(key, i);
            }
            lintRule(entry, at);
            if (changesAll < 0 && entry.path.isEmpty() && !entry.replacepath.isEmpty())
                changesAll = i;
        }
    }

    void lintRule(const FileEntry &entry, qint64 at)
    {
        const Qt::CaseSensitivity cs = entry.cs ? Qt::CaseSensitive : Qt::CaseInsensitive;
        int groups = 0;
        if (entry.wildcard && entry.regexp)
            add("wildcard-and-regexp", at,
                QStringLiteral("both wildcard and regexp are set: the pattern is a wildcard"));
        if (entry.regexp || entry.wildcard) {
            if (!entry.wildcard && !expressionWithinLimits(entry.path)) {
                add("invalid-expression", at,
                    QLatin1String("expression ") + quoted(entry.path.left(80))
                        + QLatin1String(" is beyond the engine's safety limits: the rule never "
                                        "matches"));
                return;
            }
            const QRegExp expression(
                entry.path, cs, entry.wildcard ? QRegExp::Wildcard : QRegExp::RegExp2);
            if (!expression.isValid()) {
                add("invalid-expression", at,
                    QLatin1String("expression ") + quoted(entry.path)
                        + QLatin1String(" is invalid (") + expression.errorString()
                        + QLatin1String("): the rule never matches"));
                return;
            }
            if (!entry.wildcard)
                groups = expression.captureCount();
        }
        if (entry.path.isEmpty()) {
            if (entry.replacepath.isEmpty())
                add("no-op-rule", at,
                    QStringLiteral("pattern and replacement are both empty: the rule never "
                                   "changes a string"));
            else
                add("empty-pattern", at,
                    QLatin1String("the pattern is empty: the replacement ")
                        + quoted(entry.replacepath)
                        + QLatin1String(" goes in at every position, so this rule changes every "
                                        "string and the rules after it never decide"));
        } else if (!entry.regexp && !entry.wildcard && entry.cs
            && entry.path == entry.replacepath) {
            add("no-op-rule", at,
                QStringLiteral("the replacement equals the pattern: the rule never changes a "
                               "string"));
        }
        lintReplacement(entry, groups, at);
        if (entry.wildcard)
            lintWildcard(entry, at);
        else if (!entry.regexp
            && (entry.path.contains(QLatin1Char('*')) || entry.path.contains(QLatin1Char('?'))))
            add("fixed-text-wildcard", at,
                QLatin1String("fixed-text pattern ") + quoted(entry.path)
                    + QLatin1String(
                        " holds * or ?, which match only themselves; set wildcard=\"1\" "
                        "for a pattern"));
    }

    void lintReplacement(const FileEntry &entry, int groups, qint64 at)
    {
        const QString &text = entry.replacepath;
        for (int i = 0; i + 1 < text.size(); ++i) {
            if (text.at(i) != QLatin1Char('\\'))
                continue;
            const int number = text.at(i + 1).digitValue();
            if (number < 1)
                continue;
            if (entry.regexp && !entry.wildcard) {
                if (number > groups) {
                    add("missing-group", at,
                        quoted(text.mid(i, 2))
                            + QLatin1String(" in the replacement, but the "
                                            "expression has ")
                            + QString::number(groups)
                            + QLatin1String(groups == 1 ? " group" : " groups")
                            + QLatin1String(": it is written as it stands"));
                    return;
                }
            } else {
                add("missing-group", at,
                    quoted(text.mid(i, 2)) + QLatin1String(" in the replacement of a ")
                        + QLatin1String(entry.wildcard ? "wildcard" : "fixed-text")
                        + QLatin1String(" rule is written as it stands; groups are for regexp "
                                        "rules"));
                return;
            }
        }
    }

    void lintWildcard(const FileEntry &entry, qint64 at)
    {
        const QString &pattern = entry.path;
        if (pattern.startsWith(QLatin1Char('*')) || pattern.endsWith(QLatin1Char('*')))
            add("wildcard-swallows", at,
                QLatin1String("wildcard ") + quoted(pattern)
                    + QLatin1String(pattern.startsWith(QLatin1Char('*'))
                            ? " begins with *: the match takes the whole start of "
                              "the string, which the replacement "
                            : " ends with *: the match takes the whole end of the "
                              "string, which the replacement ")
                    + quoted(entry.replacepath) + QLatin1String(" cannot bring back"));
        if (pattern.contains(QLatin1Char('\\')))
            add("wildcard-escape", at,
                QLatin1String("wildcard ") + quoted(pattern)
                    + QLatin1String(" holds a backslash, which escapes nothing: before * or ? it "
                                    "matches a backslash and that character, before any other "
                                    "character two backslashes, and only at the end one; use a "
                                    "regexp rule or forward slashes"));
    }

    D_RuleFileReading &reading;
    const D_DocumentScan &scan;
    QVector<Finding> findings;
};

} // namespace

QVector<Finding> lintRuleFiles(D_RuleFileReading &reading) { return Linter(reading).run(); }
