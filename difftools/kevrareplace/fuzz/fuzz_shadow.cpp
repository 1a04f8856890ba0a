// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

// Random rules and strings over letters that fold into each other: a rule that the companion
// reports as shadowed never decides a string, by the tool's own engine. Some wildcards and
// expressions are a text with "match anything" or "^" around it, or the rest of the string as a
// group after it, which may shadow later rules.

#include "check/findings/shadowing.h"
#include "config/entryrules.h"
#include "replace/d_replace.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Letters whose case folding meets ASCII, a few expression characters, a pair outside the
// basic plane in both cases, and (for strings only) a byte that is not UTF-8.
const char16_t alphabet[] = { u'a', u'A', u'k', u'K', 0x212a, u's', u'S', 0x17f, u'i', u'I', 0x130,
    0x131, u'/', u'-', u'x', u'.', u'*', u'(', u')', u'\\', u'w', u'?', 0xd801, 0xdc00, 0xd801,
    0xdc28, 0xdc80 };
constexpr int textLetters = 26; // the last is for strings only

struct Input
{
    const uint8_t *data;
    size_t size;
    uint8_t take() { return size ? (--size, *data++) : 0; }
    QString text(int letters)
    {
        QString text;
        for (int n = take() % 7; n > 0; --n) {
            const int at = take() % letters;
            // A surrogate comes with its partner.
            if (alphabet[at] == 0xd801 || (alphabet[at] == 0xdc00 || alphabet[at] == 0xdc28))
                text += QChar(0xd801), text += QChar(take() % 2 ? 0xdc00 : 0xdc28);
            else
                text += QChar(alphabet[at]);
        }
        return text;
    }
};

// A pattern of the rule's kind around \a text by the bits of \a shape: nothing, "^", ".*" or
// both before it, ".*" after it, or a wildcard's "*" before and after it.
QString shaped(const QString &text, uint8_t shape, bool regexp, bool wildcard)
{
    static const char *const before[] = { "", "^", ".*", "^.*" };
    const bool anything = shape & 4;
    if (wildcard)
        return QLatin1String(shape & 1 ? "*" : "") + text + QLatin1String(anything ? "*" : "");
    if (regexp)
        return QLatin1String(before[shape & 3]) + text + QLatin1String(anything ? ".*" : "");
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Input input { data, size };
    QVector<FileEntry> rules;
    QVector<QString> texts; // each rule's text, without what a shape puts around it
    for (int n = 1 + input.take() % 6; n > 0; --n) {
        const uint8_t flags = input.take();
        const bool regexp = (flags & 3) == 1;
        const bool wildcard = (flags & 3) == 2;
        QString text = input.text(textLetters);
        // Most shadowing needs the text of an earlier rule within a later one's.
        const uint8_t from = input.take();
        if (from & 1 && !texts.isEmpty()) {
            const QString &earlier = texts.at((from >> 2) % texts.size());
            text = from & 2 ? text + earlier : earlier + text;
        }
        const QString pattern =
            flags & 8 ? shaped(text, uint8_t(flags >> 4), regexp, wildcard) : text;
        // A replacement that holds the text leaves some matches as they were.
        const QString substitute = input.text(textLetters) + (flags & 0x80 ? text : QString());
        // The rest of the string as a group, and the group at the start or end of the replacement.
        const uint8_t group = input.take();
        rules.append(FileEntry { pattern + QLatin1String(group & 1 ? "(.*)" : ""),
            QLatin1String(group & 4 ? "\\1" : "") + substitute
                + QLatin1String(group & 2 ? "\\1" : ""),
            regexp, (flags & 4) != 0, wildcard });
        texts.append(text);
    }
    QVector<QString> strings;
    while (input.size > 0 && strings.size() < 8) {
        const uint8_t choice = input.take();
        // Strings made of the patterns or their texts find most of the shadowed rules' matches,
        // those that begin with them the matches of rules anchored at the start.
        QString string = choice & 1 ? QString() : input.text(textLetters + 1);
        const int rule = (choice >> 2) % rules.size();
        string += choice & 2 ? texts.at(rule) : rules.at(rule).path;
        string += input.text(textLetters + 1);
        if (!string.isEmpty())
            strings.append(string);
    }
    const QVector<int> shadowing = shadowingRules(rules);
    for (int j = 0; j < rules.size(); ++j) {
        if (shadowing.at(j) < 0)
            continue;
        if (shadowing.at(j) >= j)
            std::abort();
        D_Replace before;
        addRules(before, rules.mid(0, j));
        D_Replace upTo;
        addRules(upTo, rules.mid(0, j + 1));
        D_Replace all;
        addRules(all, rules);
        D_Replace without;
        addRules(without, rules.mid(0, j) + rules.mid(j + 1));
        for (const QString &string : strings) {
            // Rule j decides where the rules before it leave the string and it changes it; so
            // the rules give another result without it.
            if (before.apply(string) == string && upTo.apply(string) != string)
                std::abort();
            if (all.apply(string) != without.apply(string))
                std::abort();
        }
    }
    return 0;
}
