// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

// Findings from the walk of the document: elements, attributes, and where the reader stops.

#include "check/findings/lintdocument.h"
#include "check/findings/editdistance.h"
#include "check/findings/messagetext.h"
#include "config/rulefilenames.h"

#include <QRegExp>
#include <QSet>

#include <algorithm>
#include <iterator>

namespace {

// How many file elements the reading never reaches, read right for none, one and many.
QString neverRead(int count)
{
    return count == 0
        ? QStringLiteral("no file element is lost")
        : counted(count, "file element is never read", "file elements are never read");
}

// The rules of a file that starts a second document, none of which is read.
QString unreadRulesOfDocument(int rules)
{
    if (rules == 0)
        return QStringLiteral("no rule of it would be read");
    return rules == 1 ? QStringLiteral("its 1 rule is not read")
                      : QLatin1String("none of its ") + counted(rules, "rule", "rules")
            + QLatin1String(" is read");
}

const QLatin1String schemaInstanceNamespace("http://www.w3.org/2001/XMLSchema-instance");

QString localName(const QString &name) { return name.mid(name.indexOf(QLatin1Char(':')) + 1); }

// "LINE:COLUMN" of \a offset.
QString where(const D_DocumentScan &scan, qint64 offset)
{
    const SourceLocation at = scan.location(offset);
    return QString::number(at.line) + QLatin1Char(':') + QString::number(at.column);
}

// The known attribute \a name probably means: one that differs in case or in one or two
// letters.
QString nearestAttribute(const QString &name)
{
    const QString lower = localName(name).toLower();
    for (const QLatin1String known : RuleFileNames::attributes) {
        if (lower == known)
            return known;
    }
    for (const QLatin1String known : RuleFileNames::attributes) {
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

// Qt's message, without its final period.
QString xmlErrorText(const D_DocumentScan &scan)
{
    QString text = scan.errorMessage();
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

// What breaks the XML and what it costs, \a lost: how to write the raw character the reader
// stopped on, with the reader's message after it, or where there is none that message.
QString xmlErrorMessage(const D_DocumentScan &scan, const QString &lost)
{
    const RawMarkup &raw = scan.rawMarkup();
    if (raw.offset < 0)
        return xmlErrorText(scan) + QLatin1String("; ") + lost;
    const bool ampersand = raw.character == QLatin1Char('&');
    return QLatin1String(ampersand ? "a '&' in " : "a '<' in ")
        + QLatin1String(raw.inAttribute ? "an attribute value" : "text")
        + QLatin1String(ampersand ? " starts a reference: write '&amp;' for it; "
                                  : " starts a tag: write '&lt;' for it; ")
        + lost + QLatin1String(" (") + xmlErrorText(scan) + QLatin1Char(')');
}

bool isFileElement(const D_DocumentScan &scan, int element)
{
    return localName(scan.elements().at(element).name) == RuleFileNames::fileElement;
}

bool hasAncestor(const D_DocumentScan &scan, int element, QLatin1String name)
{
    for (int up = scan.elements().at(element).parent; up >= 0; up = scan.elements().at(up).parent) {
        if (localName(scan.elements().at(up).name) == name)
            return true;
    }
    return false;
}

} // namespace

void lintStartTag(const D_DocumentScan &scan, int element, const QVector<ScanAttribute> &attributes,
    QVector<Finding> &findings)
{
    const ScanElement &tag = scan.elements().at(element);
    const QString local = localName(tag.name);
    for (const QLatin1String known :
        { RuleFileNames::replacementElement, RuleFileNames::fileElement }) {
        if (local != known && local.compare(known, Qt::CaseInsensitive) == 0)
            findings.append(findingAt(scan, "element-name-case", tag.tagStart,
                QLatin1String("element ") + quoted(tag.name)
                    + QLatin1String(" is not recognised: names are case-sensitive; write ")
                    + quoted(known)));
    }
    if (local != RuleFileNames::fileElement)
        return;
    for (const ScanAttribute &attribute : attributes) {
        // Instructions to schema processors, such as an editor's schema location, are allowed
        // on every element and mean nothing to the tool.
        if (attribute.namespaceUri == schemaInstanceNamespace)
            continue;
        if (std::find(std::begin(RuleFileNames::attributes), std::end(RuleFileNames::attributes),
                attribute.name)
            == std::end(RuleFileNames::attributes)) {
            const QString nearest = nearestAttribute(attribute.name);
            findings.append(findingAt(scan, "unknown-attribute", attribute.offset,
                QLatin1String("attribute ") + quoted(attribute.name)
                    + QLatin1String(" is not read by kevrareplace")
                    + (nearest.isEmpty() ? QString()
                                         : QLatin1String("; did you mean ") + quoted(nearest)
                                + QLatin1Char('?'))));
            continue;
        }
        if (attribute.name == RuleFileNames::path || attribute.name == RuleFileNames::replacepath
            || plainInteger(attribute.value))
            continue;
        const int number = attribute.value.toInt();
        findings.append(findingAt(scan, "flag-value", attribute.offset,
            QLatin1String("flag ") + quoted(attribute.name) + QLatin1String(" is ")
                + quoted(attribute.value) + QLatin1String(", read as ") + QString::number(number)
                + QLatin1String(number ? ": on" : ": off")
                + (attribute.name == RuleFileNames::cs
                        ? QLatin1String(number ? " (case counts)" : " (case is ignored)")
                        : QLatin1String(""))
                + QLatin1String("; write 1 or 0")));
    }
}

void lintWalk(const D_RuleFileReading &reading, QVector<Finding> &findings)
{
    const D_DocumentScan &scan = reading.scan();
    const QVector<ScanElement> &elements = scan.elements();
    QSet<int> ruleElements;
    for (int i = 0; i < reading.entries().size(); ++i)
        ruleElements.insert(reading.ruleElement(i));
    QVector<int> unread;
    for (int i = 0; i < elements.size(); ++i) {
        if (isFileElement(scan, i) && !ruleElements.contains(i))
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
                + where(scan, elements.at(walked).tagStart) + QLatin1Char(')');
        findings.append(findingAt(scan, "reading-ends-early", earlyEnd,
            QLatin1String("this end tag ends the reading of ") + walkName
                + QLatin1String(": it closes ") + quoted(elements.at(closed).name)
                + QLatin1String(", which starts at ") + where(scan, elements.at(closed).tagStart)
                + QLatin1String("; ") + neverRead(count)));
        break;
    }

    // Where the XML breaks: at a raw character the reader stopped on, else where it stood.
    const qint64 errorAt =
        scan.rawMarkup().offset >= 0 ? scan.rawMarkup().offset : scan.errorOffset();
    const int errorFile = scan.hasError() ? scan.location(errorAt).file : -1;
    QSet<int> documentFiles; // files that start a document of their own after the first
    for (int file = 1; file < scan.fileCount(); ++file) {
        const bool afterDocument = scan.documentEnd() >= 0
            && scan.documentEnd() <= scan.fileStart(file) && scan.fileBeginsWithMarkup(file);
        if (!scan.fileDeclaresDocument(file) && !afterDocument)
            continue;
        documentFiles.insert(file);
        const qint64 start = scan.fileStart(file);
        const int next = file + 1 < scan.fileCount() ? int(scan.fileStart(file + 1)) : -1;
        const int rules = int(std::count_if(lost.begin(), lost.end(),
            [&](qint64 at) { return at >= start && (next < 0 || at < next); }));
        // The XML error it leads to, named here and nowhere else.
        const QString error = file == errorFile ? QLatin1String(" (the XML reader stops there: ")
                + xmlErrorText(scan) + QLatin1Char(')')
                                                : QString();
        findings.append(findingAt(scan, "second-document", start,
            QLatin1String("this file starts a document of its own after ")
                + quoted(scan.fileName(0)) + QLatin1String(": ") + unreadRulesOfDocument(rules)
                + QLatin1String("; put its rules into one document") + error));
    }
    if (scan.hasError() && !documentFiles.contains(errorFile))
        findings.append(
            findingAt(scan, "xml-error", errorAt, xmlErrorMessage(scan, neverRead(lost.size()))));

    const qint64 walkEnd = reading.walkSteps().isEmpty() ? -1 : reading.walkSteps().last().end;
    for (int element : unread) {
        const ScanElement &tag = elements.at(element);
        QString why;
        if (hasAncestor(scan, element, RuleFileNames::fileElement))
            why = QStringLiteral("it stands inside another file element");
        else if (!hasAncestor(scan, element, RuleFileNames::replacementElement))
            why = QStringLiteral("it stands outside any replacement element");
        else if (earlyEnd >= 0 && tag.tagStart > earlyEnd)
            why = QLatin1String("it comes after the end of the walk at ") + where(scan, earlyEnd);
        else if (walkEnd >= 0)
            why = QLatin1String("it comes after the end of the walk at ")
                + where(scan, elements.value(scan.elementEndingAt(walkEnd)).endTagStart);
        else
            why = QStringLiteral("the reading ended before it");
        findings.append(findingAt(scan, "rule-not-read", tag.tagStart,
            QLatin1String("this file element gives no rule: ") + why));
    }
    for (qint64 at : lost) {
        if (documentFiles.contains(scan.location(at).file))
            continue; // counted by the file's second-document finding
        findings.append(findingAt(scan, "rule-not-read", at,
            QLatin1String("this file element gives no rule: it comes after the XML error at ")
                + scan.locationText(errorAt)));
    }
}
