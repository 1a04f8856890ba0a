// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

// Random rules and strings over letters that fold into each other: a rule that the companion
// reports as shadowed never decides a string, by the tool's own engine.

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Input input { data, size };
    QVector<FileEntry> rules;
    for (int n = 1 + input.take() % 6; n > 0; --n) {
        const uint8_t flags = input.take();
        const QString pattern = input.text(textLetters);
        const QString substitute = input.text(textLetters);
        rules.append(FileEntry {
            pattern, substitute, (flags & 3) == 1, (flags & 4) != 0, (flags & 3) == 2 });
    }
    QVector<QString> strings;
    while (input.size > 0 && strings.size() < 8) {
        QString string = input.text(textLetters + 1);
        // Strings made of the patterns themselves find most of the shadowed rules' matches.
        string += rules.at(input.take() % rules.size()).path;
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
        for (const QString &string : strings) {
            // Rule j decides where the rules before it leave the string and it changes it.
            if (before.apply(string) == string && upTo.apply(string) != string)
                std::abort();
        }
    }
    return 0;
}
