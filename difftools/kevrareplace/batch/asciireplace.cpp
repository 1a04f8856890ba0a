// SPDX-FileCopyrightText: 2026 The kevrareplace developers
// SPDX-License-Identifier: MIT

#include "asciireplace.h"

#include <algorithm>
#include <cstring>

namespace {

std::string_view view(const QByteArray &bytes)
{
    return std::string_view(bytes.constData(), size_t(bytes.size()));
}

// The match from \a from: its start, or npos; \a end is set where it ends.
size_t findMatch(
    std::string_view text, const std::vector<QByteArray> &parts, size_t from, size_t &end)
{
    const size_t start = text.find(view(parts.front()), from);
    if (start == std::string_view::npos || parts.size() == 1) {
        end = start + size_t(parts.front().size());
        return start;
    }
    size_t at = start + size_t(parts.front().size());
    for (size_t i = 1; i + 1 < parts.size(); ++i) {
        at = text.find(view(parts[i]), at);
        if (at == std::string_view::npos)
            return at;
        at += size_t(parts[i].size());
    }
    const std::string_view last = view(parts.back());
    const size_t lastAt = last.empty() ? text.size() : text.rfind(last);
    if (lastAt == std::string_view::npos || lastAt < at)
        return std::string_view::npos;
    end = lastAt + last.size();
    return start;
}

} // namespace

bool isStarPattern(const QString &pattern)
{
    return !pattern.isEmpty() && std::all_of(pattern.begin(), pattern.end(), [](QChar ch) {
        return ch.unicode() < 0x80 && ch != QLatin1Char('?') && ch != QLatin1Char('[')
            && ch != QLatin1Char(']') && ch != QLatin1Char('\\');
    });
}

bool replaceAscii(std::string_view searched, const char *data, const std::vector<QByteArray> &parts,
    const QByteArray &substitute, QByteArray &result)
{
    result.resize(0);
    size_t copied = 0;
    bool found = false;
    size_t end = 0;
    for (size_t at = findMatch(searched, parts, 0, end); at != std::string_view::npos;
         at = findMatch(searched, parts, end + (at == end ? 1 : 0), end)) {
        found = true;
        result.append(data + copied, int(at - copied));
        result.append(substitute);
        copied = end;
    }
    if (!found)
        return false;
    result.append(data + copied, int(searched.size() - copied));
    return size_t(result.size()) != searched.size()
        || std::memcmp(result.constData(), data, searched.size()) != 0;
}
