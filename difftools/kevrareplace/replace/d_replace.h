// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#ifndef D_REPLACE_H
#define D_REPLACE_H

#include <QString>
#include <QVector>

/// One replacement rule, in the order the configuration gives its fields.
struct Rule
{
    QString pattern;
    QString substitute;
    bool regexp;
    bool cs;
    bool wildcard;
};

/// Rewrites a string by the first of its rules that changes it.
class D_Replace
{
public:
    D_Replace();
    virtual ~D_Replace();

    D_Replace(const D_Replace &) = delete;
    D_Replace &operator=(const D_Replace &) = delete;

    /// Appends a rule; the rules are tried in the order they were added.
    void addRule(
        const QString &pattern, const QString &substitute, bool regexp, bool cs, bool wildcard);

    /// Returns \a input rewritten by the first rule whose result differs from it, or \a input
    /// itself when no rule changes it. Rules never chain: each one sees the original string.
    QString apply(const QString &input) const;

    /// Returns \a input rewritten by \a rule alone, as apply tries each rule.
    static QString applyRule(const Rule &rule, const QString &input);

private:
    QVector<Rule> rules;
};

#endif // D_REPLACE_H
