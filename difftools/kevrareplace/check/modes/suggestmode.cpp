// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/modes/suggestmode.h"
#include "check/cli/exitcodes.h"
#include "check/findings/messagetext.h"
#include "check/modes/casewalk.h"
#include "check/modes/inputfiles.h"
#include "check/suggest/rulesuggestion.h"
#include "check/writers/gnuformat.h"
#include "check/writers/outputwriter.h"
#include "text/losslesscodec.h"

#include <QHash>

#include <algorithm>

namespace {

// The column, from 1, of the first character of \a text that a rule file cannot hold, and
// what it is; 0 when there is none.
int unwritableAt(const QString &text, QString &what)
{
    int column = 0;
    for (int i = 0; i < text.size(); ++i) {
        const ushort unit = text.at(i).unicode();
        const bool pair =
            QChar::isHighSurrogate(unit) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        ++column;
        if (pair) {
            ++i;
            continue;
        }
        if (QChar::isSurrogate(unit)) {
            what = QStringLiteral("a byte that is not UTF-8");
            return column;
        }
        if (unit < 0x20 || (unit >= 0x7f && unit < 0xa0) || unit == 0xfffe || unit == 0xffff) {
            what = QLatin1String("the control character U+")
                + QString::number(unit, 16).rightJustified(4, QLatin1Char('0')).toUpper();
            return column;
        }
    }
    return 0;
}

struct Seen
{
    std::string expected;
    QString location;
};

} // namespace

SuggestionResult suggestFromCases(const QVector<ConfigFile> &caseFiles)
{
    SuggestionResult result;
    D_RuleSuggestion suggestion;
    QHash<QByteArray, Seen> seen;
    int read = 0;
    int unchanged = 0;
    QVector<int> casesIn(caseFiles.size(), 0);
    forEachCase(
        caseFiles, 0, result.findings, [&](const D_CaseFile &cases, const QString &name, int f) {
            ++casesIn[f];
            ++read;
            const QString here = name + QLatin1Char(':') + QString::number(cases.line());
            bool writable = true;
            for (const std::string_view field : { cases.string(), cases.expected() }) {
                QString what;
                const int column =
                    unwritableAt(decodeLossless(field.data(), int(field.size())), what);
                if (column == 0)
                    continue;
                writable = false;
                result.findings.append(findingAtLine("case-text", name, f, cases.line(), 1,
                    QLatin1String(
                        field.data() == cases.string().data() ? "the string" : "the result")
                        + QLatin1String(" holds ") + what + QLatin1String(" at character ")
                        + QString::number(column)
                        + QLatin1String(", which a rule file cannot hold")));
                break;
            }
            if (!writable)
                return;
            const QByteArray key(cases.string().data(), int(cases.string().size()));
            const auto found = seen.constFind(key);
            if (found != seen.constEnd()) {
                if (found->expected != cases.expected())
                    result.findings.append(findingAtLine("case-conflict", name, f, cases.line(), 1,
                        quotedField(cases.string()) + QLatin1String(" is to give ")
                            + quotedField(cases.expected()) + QLatin1String(" here but ")
                            + quotedField(found->expected) + QLatin1String(" at ")
                            + found->location));
                return;
            }
            seen.insert(key, Seen { std::string(cases.expected()), here });
            const QString string = QString::fromUtf8(key);
            const QString expected =
                QString::fromUtf8(cases.expected().data(), int(cases.expected().size()));
            unchanged += string == expected;
            suggestion.addCase(string, expected, key);
        });
    // A case file with no case at all, not even a line that is not one, is told by its name.
    for (int f = 0; f < caseFiles.size(); ++f) {
        const bool told = std::any_of(result.findings.cbegin(), result.findings.cend(),
            [f](const Finding &finding) { return finding.file == f; });
        if (casesIn.at(f) == 0 && !told)
            result.findings.append(makeFinding("no-cases", caseFiles.at(f).name, f, 0, 0,
                QStringLiteral("the file holds no case to suggest rules from")));
    }
    const QString casesRead = counted(read, "case read (", "cases read (")
        + QString::number(unchanged) + QLatin1String(" unchanged)");
    if (!result.findings.isEmpty()) {
        result.summary = casesRead + QLatin1String("; no rule file written: ")
            + counted(result.findings.size(), "finding stops it\n", "findings stop it\n");
        return result;
    }
    if (!suggestion.suggest()) {
        result.summary = casesRead + QLatin1String("; no rule file reproduces them\n");
        return result;
    }
    const auto &rules = suggestion.rules();
    result.ruleFile = suggestion.ruleFileBytes();
    result.summary = casesRead + QLatin1String(", ")
        + counted(rules.size(), "rule written\n", "rules written\n");
    for (int i = 0; i < rules.size(); ++i) {
        const D_RuleSuggestion::Suggested &rule = rules.at(i);
        result.ruleLines += QLatin1String("rule ") + QString::number(i + 1) + QLatin1String(": ")
            + rule.entry.path + QLatin1String(" -> ") + rule.entry.replacepath
            + QLatin1String(rule.entry.cs ? "" : " (any case)") + QLatin1String(", ")
            + counted(rule.cases.size(), "case\n", "cases\n");
    }
    return result;
}

int suggestRules(const QStringList &caseFileNames, bool verbose, D_OutputWriter &writer)
{
    QVector<ConfigFile> caseFiles;
    if (!loadInputFiles(caseFileNames, caseFiles, writer))
        return ExitError;
    const SuggestionResult result = suggestFromCases(caseFiles);
    if (!result.findings.isEmpty())
        writer.writeMessage(gnuFormat(result.findings));
    if (!result.ruleFile.isEmpty() && !writer.writeBytes(result.ruleFile))
        return ExitError;
    writer.writeMessage(verbose ? result.summary + result.ruleLines : result.summary);
    return result.ruleFile.isEmpty() ? ExitFindings : ExitOk;
}
