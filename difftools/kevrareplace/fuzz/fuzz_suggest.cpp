// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

// Random consistent cases, of paths made of a few names in several cases, separators, letters
// that fold into ASCII ones and characters that expressions and XML treat specially: the rule
// file suggested for them, read back by the tool's reader and applied by the tool's engine,
// gives every case its result.

#include "check/suggest/rulesuggestion.h"
#include "config/d_replacestreamreader.h"
#include "replace/d_replace.h"

#include <QHash>

#include <cstdint>
#include <cstdlib>

namespace {

const char16_t *const pieces[] = { u"a", u"A", u"ab", u"Ab", u"k", u"\u212a", u"s", u"\u017f", u"i",
    u"\u0130", u"\u0131", u"/", u"/", u"\\", u"\\", u".", u"*", u"(", u"$", u"^", u"\\1", u"&",
    u"<", u"\"", u" ", u"\u00fc", u"1" };
constexpr int pieceCount = int(sizeof pieces / sizeof *pieces);

struct Input
{
    const uint8_t *data;
    size_t size;
    uint8_t take() { return size ? (--size, *data++) : 0; }
    QString text(int most)
    {
        QString text;
        for (int n = take() % most; n > 0; --n)
            text += QString::fromUtf16(pieces[take() % pieceCount]);
        return text;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Input input { data, size };
    // A few moves, and strings under them or elsewhere.
    QVector<QPair<QString, QString>> moves;
    for (int n = 1 + input.take() % 4; n > 0; --n)
        moves.append({ input.text(5), input.text(5) });
    D_RuleSuggestion suggestion;
    QHash<QString, QString> expected;
    while (input.size > 0 && expected.size() < 12) {
        const uint8_t how = input.take();
        const auto &move = moves.at(how % moves.size());
        const QString tail = input.text(6);
        QString string;
        QString result;
        if ((how >> 4) % 4 == 0) {
            string = result = input.text(4) + move.first + tail;
        } else if ((how >> 4) % 4 == 1) {
            string = input.text(6);
            result = input.text(6);
        } else {
            string = move.first + tail;
            result = move.second + tail;
        }
        if (string.isEmpty() || expected.contains(string))
            continue;
        expected.insert(string, result);
        suggestion.addCase(string, result);
    }
    if (!suggestion.suggest())
        std::abort();
    D_ReplaceStreamReader reader;
    reader.addData(suggestion.ruleFileBytes());
    reader.read();
    if (reader.entries().size() != suggestion.rules().size())
        std::abort();
    D_Replace replace;
    for (const FileEntry &entry : reader.entries())
        replace.addRule(entry.path, entry.replacepath, entry.regexp, entry.cs, entry.wildcard);
    for (auto it = expected.constBegin(); it != expected.constEnd(); ++it) {
        if (replace.apply(it.key()) != it.value())
            std::abort();
    }
    return 0;
}
