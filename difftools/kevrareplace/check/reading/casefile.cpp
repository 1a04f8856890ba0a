// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "check/reading/casefile.h"
#include "driver/tooloptions.h"
#include "text/losslesscodec.h"

#include <cstring>

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

D_CaseFile::D_CaseFile(const QByteArray &bytes)
    : data(bytes.constData())
    , end(bytes.constData() + bytes.size())
{
    // An editor's byte-order mark is no part of the first line.
    if (bytes.startsWith("\xef\xbb\xbf"))
        data += 3;
}

D_CaseFile::~D_CaseFile() = default;

bool D_CaseFile::next()
{
    while (data < end) {
        const char *stop = static_cast<const char *>(std::memchr(data, '\n', size_t(end - data)));
        if (!stop)
            stop = end;
        lineStart = data;
        ++lineNumber;
        data = stop < end ? stop + 1 : end;
        // A CR before the LF belongs to the line end, as an editor writes it.
        if (stop < end && stop > lineStart && stop[-1] == '\r')
            --stop;
        if (stop == lineStart || *lineStart == '#')
            continue;
        std::string_view rest(lineStart, size_t(stop - lineStart));
        lineKind = NotACase;
        if (!readField(0, rest, false) || !readField(1, rest, true))
            return true;
        if (fields[0].empty()) {
            fail(lineStart,
                QStringLiteral("the string is empty: kevrareplace takes no empty string"));
            return true;
        }
        if (isToolOption(fields[0])) {
            fail(lineStart,
                QLatin1String("the string is an option: kevrareplace takes '")
                    + QLatin1String(fields[0].data(), int(fields[0].size()))
                    + QLatin1String("' as its option, never as its string"));
            return true;
        }
        lineKind = Case;
        return true;
    }
    return false;
}

// Reads a field from the start of \a rest and what ends it: a tab after the first field, the
// end of the line after the last.
bool D_CaseFile::readField(int field, std::string_view &rest, bool last)
{
    if (rest.empty() || rest.front() != '"') {
        const size_t tab = rest.find('\t');
        if (last && tab != std::string_view::npos) {
            fail(rest.data() + tab,
                QStringLiteral("a second tab: write a field that holds a tab in double quotes, "
                               "with \\t"));
            return false;
        }
        if (!last && tab == std::string_view::npos) {
            fail(rest.data() + rest.size(),
                QStringLiteral("no tab after the string: a case is the string, a tab and the "
                               "expected result"));
            return false;
        }
        fields[field] = rest.substr(0, last ? rest.size() : tab);
        rest.remove_prefix(last ? rest.size() : tab + 1);
        return true;
    }
    std::string &text = unquoted[field];
    text.clear();
    const char *const open = rest.data();
    size_t i = 1;
    for (;; ++i) {
        if (i >= rest.size()) {
            fail(open, QStringLiteral("the field in double quotes has no closing quote"));
            return false;
        }
        const char c = rest[i];
        if (c == '"')
            break;
        if (c != '\\') {
            text += c;
            continue;
        }
        const char escaped = i + 1 < rest.size() ? rest[i + 1] : '\0';
        if (escaped == 't' || escaped == 'n' || escaped == '\\' || escaped == '"') {
            text += escaped == 't' ? '\t' : escaped == 'n' ? '\n' : escaped;
            ++i;
        } else if (escaped == 'x' && i + 3 < rest.size() && hexValue(rest[i + 2]) >= 0
            && hexValue(rest[i + 3]) >= 0) {
            text += char(hexValue(rest[i + 2]) * 16 + hexValue(rest[i + 3]));
            i += 3;
        } else {
            fail(rest.data() + i,
                QStringLiteral("an escape that a case file does not take: write \\t, \\n, "
                               "\\\\, \\\" or \\x and two hex digits"));
            return false;
        }
    }
    rest.remove_prefix(i + 1);
    if (last ? !rest.empty() : (rest.empty() || rest.front() != '\t')) {
        fail(rest.data(),
            QLatin1String(last ? "text after the closing quote of the expected result"
                               : "no tab after the closing quote of the string"));
        return false;
    }
    if (!last)
        rest.remove_prefix(1);
    fields[field] = text;
    return true;
}

void D_CaseFile::fail(const char *at, const QString &why)
{
    // Columns count characters, as in the findings on rule files.
    const QString before = decodeLossless(lineStart, int(at - lineStart));
    column = 1;
    for (int i = 0; i < before.size(); ++i) {
        if (!(before.at(i).isLowSurrogate() && i > 0 && before.at(i - 1).isHighSurrogate()))
            ++column;
    }
    message = why;
}
