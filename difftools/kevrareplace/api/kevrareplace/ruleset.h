// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef KEVRAREPLACE_RULESET_H
#define KEVRAREPLACE_RULESET_H

#include <kevrareplace/kevrareplace_export.h>

#include <QByteArray>
#include <QExplicitlySharedDataPointer>
#include <QString>
#include <QStringList>

class D_RuleSetData;

/**
 * The rules of kevrareplace for programs that link them: read the rule files once, then
 * rewrite each string in the program's own process, with exactly the result that
 * @c kevrareplace would print for it.
 */
namespace KevraReplace {

/// Where the file element of a rule begins, as <tt>kevrareplace-check --stdin -v</tt> gives it.
struct RuleLocation
{
    /// The name of the rule file, as it was given.
    QString file;
    /// The line, from 1.
    int line = 0;
    /// The column of the element's @c <, from 1; a tab or a character outside the basic plane
    /// counts as one.
    int column = 0;
};

/**
 * @class RuleSet kevrareplace/ruleset.h <kevrareplace/ruleset.h>
 *
 * The rules of one or more rule files, read as @c kevrareplace reads its @c -config files.
 *
 * A rule set is a value: copies share the rules and cost no more than a pointer. Once read it
 * never changes, and every const function, @ref rewrite included, may be called on one rule set
 * (or on its copies) from several threads at once: each call has matching state of its own.
 *
 * @code
 * const KevraReplace::RuleSet rules = KevraReplace::RuleSet::fromFiles({ path });
 * if (!rules.isValid()) {
 *     std::fprintf(stderr, "%s\n", qPrintable(rules.errorString()));
 *     return rules.exitCode();
 * }
 * const QString result = rules.rewrite(QStringLiteral("/old/dir/file.txt"));
 * @endcode
 */
class KEVRAREPLACE_EXPORT RuleSet
{
public:
    /// A rule set without rules: it changes no string.
    RuleSet();
    RuleSet(const RuleSet &other);
    RuleSet(RuleSet &&other) noexcept;
    RuleSet &operator=(const RuleSet &other);
    RuleSet &operator=(RuleSet &&other) noexcept;
    ~RuleSet();

    /**
     * Reads the rule files @p fileNames, joined into one document in their order as the tool
     * joins its @c -config files. Where the tool would refuse them (no file given, a file that
     * cannot be opened) the rule set is not valid and says what the tool would say.
     */
    static RuleSet fromFiles(const QStringList &fileNames);

    /**
     * Reads the rules from the bytes @p data of a rule file. @p fileName is the name that
     * @ref ruleLocation gives; the bytes are never refused, as the tool refuses no content.
     */
    static RuleSet fromData(const QByteArray &data, const QString &fileName = QString());

    /// Whether the rules were read; false where the tool would refuse to run.
    bool isValid() const;

    /// The exit code of the tool for this read: 0 when the rules were read, 10 without a rule
    /// file, 22 for a rule file that cannot be opened.
    int exitCode() const;

    /// The line that the tool would write to standard error for this read, without the
    /// newline; empty when the rules were read.
    QString errorString() const;

    /// The number of rules, in the order they are tried.
    int ruleCount() const;

    /// Where rule @p rule (from 0, below ruleCount()) was read; empty for any other number.
    RuleLocation ruleLocation(int rule) const;

    /**
     * Returns what the tool prints for @p input, without the newline: the string rewritten by
     * the first rule that changes it, or the string itself. Sets @p rule, when given, to the
     * number of that rule, or to -1. The tool takes no empty string; it is returned as it is.
     */
    QString rewrite(const QString &input, int *rule = nullptr) const;

    /**
     * Returns the bytes that the tool prints for an argument of the bytes @p input, without the
     * newline: bytes that are not UTF-8 come back as they were given. NUL bytes are characters
     * like any other. Sets @p rule as @ref rewrite does.
     */
    QByteArray rewriteBytes(const QByteArray &input, int *rule = nullptr) const;

private:
    explicit RuleSet(D_RuleSetData *data);

    QExplicitlySharedDataPointer<const D_RuleSetData> d;
};

} // namespace KevraReplace

#endif // KEVRAREPLACE_RULESET_H
